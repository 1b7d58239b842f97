// A canonical RIFF/WAVE file: a "fmt " chunk for 16-bit mono PCM and one "data" chunk.
#include "sample/audio/wav_file.h"

#include "common/byte_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace card::sample {
bool WriteWav(const std::string& path, const std::vector<double>& samples, int rate) {
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  std::vector<uint8_t> out;
  AppendText(out, "RIFF");
  AppendU32(out, 36 + dataBytes);
  AppendText(out, "WAVE");
  AppendText(out, "fmt ");
  AppendU32(out, 16);
  AppendU16(out, 1);  // PCM
  AppendU16(out, 1);  // mono
  AppendU32(out, uint32_t(rate));
  AppendU32(out, uint32_t(rate * 2));  // bytes per second
  AppendU16(out, 2);                   // bytes per sample frame
  AppendU16(out, 16);
  AppendText(out, "data");
  AppendU32(out, dataBytes);
  for (double s : samples)
    AppendU16(out, uint16_t(int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767))));
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  return bool(file);
}

}  // namespace card::sample
