// Converts a sound file of any common format, rate and channel count into a card's clip
// format: mono, 8000 samples a second, 16-bit signed.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace card::kit {

// Longer input is refused: a card's effects last seconds, and clips are kept in memory.
constexpr double kMaxSoundSeconds = 300;

// The clip's samples. Channels are mixed to mono first, then resampled; the result has
// round(frames * 8000 / rate) samples. `name` names the file in the message on failure.
Result<std::vector<std::int16_t>> ConvertSound(ByteView bytes, std::string_view name);

}  // namespace card::kit
