// The text that names, ranges and repeats rewrite to. The player pushes it in front of the
// remaining script; an empty result means nothing is pushed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace card {

// A name's replacement, given its stored text (nothing when the name is not defined): frame 0
// for an undefined name, nothing for an empty definition, a bounds definition (its last byte is
// the bounds delimiter) as it stands so its bounds apply to the naming group, and any other
// text wrapped in parentheses.
std::string NameExpansion(std::optional<std::string_view> stored);

// '(A,A+1,...,B)' (counting down when A > B) for the range token 'A-B'; B is 0 when no digits
// follow the '-'. Nothing when the text would be longer than `maxBytes`.
std::optional<std::string> RangeExpansion(std::string_view token, std::size_t maxBytes);

// For '*N': item, '*' and N-1 when N-1 is at least 1 (N is 0 when no digits follow).
std::string RepeatCountRewrite(std::string_view token, std::string_view item);

// For '@N': item, '@' and the tenths left, N - (now - itemStart), when at least 1 is left.
std::string RepeatTimeRewrite(std::string_view token, std::string_view item,
                              std::int32_t itemStart, std::int32_t now);

}  // namespace card
