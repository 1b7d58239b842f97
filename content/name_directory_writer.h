// Writes a NameDirectory: D0, N, the entries sorted by CompareNames, then each entry's name
// (with its NUL) followed by its value, in entry order.
#pragma once

#include "common/result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace card {

struct NamedValue {
  std::string name;
  std::vector<std::uint8_t> value;
};

// Fails when a name is empty, holds a NUL byte or is used twice, or when the directory would
// not fit 32-bit offsets; `kind` ("script", "sound") names the entries in that sentence.
Result<std::vector<std::uint8_t>> WriteNameDirectory(std::uint32_t firstWord,
                                                     std::vector<NamedValue> entries,
                                                     std::string_view kind);

}  // namespace card
