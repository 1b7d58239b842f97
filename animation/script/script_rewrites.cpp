// The replacement texts of names, ranges and repeats.
#include "animation/script/script_rewrites.h"

#include "animation/script/script_numbers.h"
#include "animation/script/script_stack.h"

#include <algorithm>
#include <limits>

namespace card {

std::string NameExpansion(std::optional<std::string_view> stored) {
  if (!stored) return "0";
  if (stored->empty()) return {};
  if (stored->back() == kBoundsDelimiter) return std::string(*stored);
  std::string text;
  text.reserve(stored->size() + 2);
  text += '(';
  text += *stored;
  text += ')';
  return text;
}

std::optional<std::string> RangeExpansion(std::string_view token, std::size_t maxBytes) {
  const ParsedNumber from = ParseDigits(token, 0);
  const std::int32_t to = ParseDigits(token, from.end + 1).value;
  const std::int64_t step = from.value >= to ? -1 : 1;
  std::string text = "(";
  for (std::int64_t v = from.value;; v += step) {
    text += std::to_string(v);
    if (text.size() >= maxBytes) return std::nullopt;
    if (v == to) break;
    text += ',';
  }
  text += ')';
  return text;
}

std::string RepeatCountRewrite(std::string_view token, std::string_view item) {
  const std::int64_t left = std::int64_t{ParseDigits(token, 1).value} - 1;
  if (left < 1) return {};
  return std::string(item) + '*' + std::to_string(left);
}

std::string RepeatTimeRewrite(std::string_view token, std::string_view item,
                              std::int32_t itemStart, std::int32_t now) {
  const std::int64_t elapsed = std::int64_t{now} - itemStart;
  const std::int64_t left = std::int64_t{ParseDigits(token, 1).value} - elapsed;
  if (left < 1) return {};
  const std::int64_t shown = std::min<std::int64_t>(left, std::numeric_limits<std::int32_t>::max());
  return std::string(item) + '@' + std::to_string(shown);
}

}  // namespace card
