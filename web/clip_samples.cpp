// Sound clips as float samples (see clip_samples.h).
#include "web/clip_samples.h"

#include <cstdint>

namespace card {

std::vector<float> ClipSamples(ByteView clip) {
  std::vector<float> samples;
  samples.reserve(clip.size() / 2);
  for (std::size_t at = 0; at + 1 < clip.size(); at += 2) {
    const auto sample = static_cast<std::int16_t>(clip[at] | (clip[at + 1] << 8));
    samples.push_back(static_cast<float>(sample) / 32768.0f);
  }
  return samples;
}

}  // namespace card
