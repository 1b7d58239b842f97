// A canonical RIFF/WAVE file: a "fmt " chunk for 16-bit mono PCM and one "data" chunk.
#include "sample/audio/wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace card::sample {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWav(const std::string& path, const std::vector<double>& samples, int rate) {
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, rate);
  Put32(out, rate * 2);  // bytes per second
  Put16(out, 2);         // bytes per sample frame
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (double s : samples)
    Put16(out, uint16_t(int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767))));
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  return bool(file);
}

}  // namespace card::sample
