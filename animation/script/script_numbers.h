// Numbers in script text. Counts, frame ids and range ends are plain digit runs; moves and
// bounds corners are signed numbers read the way the C library's strtol reads them. Numbers
// too large for 32 bits saturate, so an oversized number in a script is big, never undefined.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace card {

struct ParsedNumber {
  std::int32_t value = 0;
  std::size_t end = 0;  // index just after the number
};

// The run of decimal digits at `from`; 0 (and `end` = `from`) when there is none.
ParsedNumber ParseDigits(std::string_view text, std::size_t from);

// Whitespace, an optional sign, then digits. Without digits the value is 0 and `end` is `from`:
// nothing counts as read, not even the whitespace.
ParsedNumber ParseSigned(std::string_view text, std::size_t from);

struct Move {
  std::int32_t dx = 0;
  std::int32_t dy = 0;  // upwards
  friend bool operator==(const Move&, const Move&) = default;
};

// A move's two numbers: dx at `from`, then exactly one character skipped (normally the ','),
// then dy (0 when there is none). The rest of the text is not looked at.
Move ParseMove(std::string_view text, std::size_t from);

// The move of a '[dx,dy]' token.
inline Move ParseMoveToken(std::string_view token) { return ParseMove(token, 1); }

// a + b without overflow: the sum clamped to the 32-bit range.
std::int32_t SaturatingAdd(std::int32_t a, std::int64_t b);

}  // namespace card
