// Converts the UTF-8 that authors write into the single-byte Windows-1252 text the card reads
// (its message and its layout file).
#pragma once

#include "common/result.h"

#include <string>
#include <string_view>

namespace card::kit {

// The Windows-1252 bytes of `utf8`. Fails, naming the line and column, on a character that
// Windows-1252 does not have or on bytes that are not UTF-8.
Result<std::string> Utf8ToWindows1252(std::string_view utf8);

}  // namespace card::kit
