// Decimal numbers and moves as the script language reads them.
#include "animation/script/script_numbers.h"

#include <algorithm>
#include <limits>

namespace card {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char At(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : '\0'; }

// Digits at `from`, with the sign applied, clamped to the 32-bit range.
ParsedNumber DigitsWithSign(std::string_view text, std::size_t from, bool negative) {
  std::int64_t magnitude = 0;
  std::size_t i = from;
  for (; IsDigit(At(text, i)); ++i) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), kMax + 1);
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  return {static_cast<std::int32_t>(std::clamp(value, kMin, kMax)), i};
}

}  // namespace

ParsedNumber ParseDigits(std::string_view text, std::size_t from) {
  return DigitsWithSign(text, from, false);
}

ParsedNumber ParseSigned(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (IsCSpace(At(text, i))) ++i;
  const bool negative = At(text, i) == '-';
  if (At(text, i) == '-' || At(text, i) == '+') ++i;
  if (!IsDigit(At(text, i))) return {0, from};
  return DigitsWithSign(text, i, negative);
}

Move ParseMove(std::string_view text, std::size_t from) {
  const ParsedNumber dx = ParseSigned(text, from);
  const std::size_t afterSeparator = dx.end < text.size() ? dx.end + 1 : dx.end;
  return {dx.value, ParseSigned(text, afterSeparator).value};
}

std::int32_t SaturatingAdd(std::int32_t a, std::int64_t b) {
  return static_cast<std::int32_t>(std::clamp(a + std::clamp(b, 2 * kMin, 2 * kMax), kMin, kMax));
}

}  // namespace card
