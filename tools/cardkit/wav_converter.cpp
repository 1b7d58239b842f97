// Sound conversion: libsndfile reads (as float, so loud input is not clipped before mixing),
// libsamplerate resamples with its best converter.
#include "tools/cardkit/wav_converter.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace card::kit {
namespace {

constexpr int kTargetRate = 8000;

// libsndfile reads from memory through these.
struct MemoryFile {
  ByteView bytes;
  sf_count_t position = 0;
};

sf_count_t Length(void* user) {
  return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  const sf_count_t size = static_cast<sf_count_t>(file->bytes.size());
  const sf_count_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? size : 0;
  file->position = std::clamp<sf_count_t>(base + offset, 0, size);
  return file->position;
}

sf_count_t Read(void* out, sf_count_t count, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  const sf_count_t left = static_cast<sf_count_t>(file->bytes.size()) - file->position;
  const sf_count_t n = std::clamp<sf_count_t>(count, 0, left);
  if (n > 0) std::memcpy(out, file->bytes.data() + file->position, static_cast<std::size_t>(n));
  file->position += n;
  return n;
}

sf_count_t Write(const void*, sf_count_t, void*) { return 0; }

sf_count_t Tell(void* user) { return static_cast<MemoryFile*>(user)->position; }

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};

Result<std::vector<float>> ReadMono(ByteView bytes, const std::string& name, int& rate) {
  MemoryFile memory{bytes};
  SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
  SF_INFO info{};
  std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open_virtual(&io, SFM_READ, &info, &memory));
  if (!file) {
    return Fail(name + " is not a sound file cardkit can read (" + sf_strerror(nullptr) + ").");
  }
  if (info.samplerate <= 0 || info.channels <= 0) return Fail(name + " has no valid sample rate.");
  if (static_cast<double>(info.frames) > kMaxSoundSeconds * info.samplerate) {
    return Fail(name + " is longer than " + std::to_string(static_cast<int>(kMaxSoundSeconds)) +
                " seconds.");
  }
  std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
  const sf_count_t got = sf_readf_float(file.get(), interleaved.data(), info.frames);
  if (got != info.frames) return Fail(name + " is cut short.");
  std::vector<float> mono(static_cast<std::size_t>(info.frames));
  for (std::size_t i = 0; i < mono.size(); ++i) {
    float sum = 0;
    for (int c = 0; c < info.channels; ++c) sum += interleaved[i * info.channels + c];
    mono[i] = sum / static_cast<float>(info.channels);
  }
  rate = info.samplerate;
  return mono;
}

Result<std::vector<float>> Resample(const std::vector<float>& in, int rate,
                                    const std::string& name) {
  const double ratio = static_cast<double>(kTargetRate) / rate;
  const auto wanted =
      static_cast<std::size_t>(std::llround(static_cast<double>(in.size()) * ratio));
  if (rate == kTargetRate || in.empty()) return in;
  std::vector<float> out(wanted + 64);
  SRC_DATA data{};
  data.data_in = in.data();
  data.input_frames = static_cast<long>(in.size());
  data.data_out = out.data();
  data.output_frames = static_cast<long>(out.size());
  data.end_of_input = 1;
  data.src_ratio = ratio;
  if (int error = src_simple(&data, SRC_SINC_BEST_QUALITY, 1); error != 0) {
    return Fail(name + " cannot be resampled: " + src_strerror(error));
  }
  // The converter's own count may be a sample off either way; the clip's length is exact.
  out.resize(static_cast<std::size_t>(data.output_frames_gen));
  out.resize(wanted, 0.0f);
  return out;
}

}  // namespace

Result<std::vector<std::int16_t>> ConvertSound(ByteView bytes, std::string_view name) {
  const std::string where(name);
  int rate = 0;
  auto mono = ReadMono(bytes, where, rate);
  if (!mono) return Fail(mono.error());
  auto resampled = Resample(*mono, rate, where);
  if (!resampled) return Fail(resampled.error());
  std::vector<std::int16_t> samples;
  samples.reserve(resampled->size());
  for (float value : *resampled) {
    samples.push_back(
        static_cast<std::int16_t>(std::lrint(std::clamp(value, -1.0f, 1.0f) * 32767.0f)));
  }
  return samples;
}

}  // namespace card::kit
