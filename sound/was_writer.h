// Writes Card.WAS from named clips, for the authoring tool, tests and fuzz seeds.
#pragma once

#include "common/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace card {

struct WasSound {
  std::string name;                   // stored upper-cased (see SoundNameKey)
  std::vector<std::uint8_t> samples;  // PCM in the bank's one format
};

// The bank with the names upper-cased and sorted, and 0 as the directory's unused first word.
// Fails when a name is empty or holds a NUL, when two names are equal once upper-cased, or
// when the bank would not fit 32-bit offsets.
Result<std::vector<std::uint8_t>> WriteWas(const std::vector<WasSound>& sounds);

}  // namespace card
