// The lexical rules of layout files: how the text falls into lines and how a line falls into
// values. Kept apart from the parser so each rule can be tested on its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace card {

struct LayoutLine {
  std::string_view text;
  int number = 0;  // 1-based, counted as an editor counts them, blank lines included
};

// The non-empty lines of `text`. Any run of CR and LF ends a line; CR LF, a lone CR and a lone
// LF each count as one line break for the numbering. The text ends at its first NUL byte.
std::vector<LayoutLine> SplitLayoutLines(std::string_view text);

// A decimal number read the way atoi reads one: leading whitespace, an optional sign, digits up
// to the first non-digit; 0 without digits. Values beyond 32 bits keep their low 32 bits.
std::int32_t ReadInteger(std::string_view text);

// The pieces between each `separator` (empty pieces included).
std::vector<std::string_view> SplitAt(std::string_view line, char separator);

// The runs of characters between any mix of commas, blanks and tabs.
std::vector<std::string_view> SplitAtCommasAndBlanks(std::string_view line);

// "x,y name": x up to the first comma, y after the blanks that follow it up to the next blank,
// and the name the whole rest after that blank. Nothing when a part is missing.
struct ImageLineParts {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::string_view fileName;
};
std::optional<ImageLineParts> SplitImageLine(std::string_view line);

}  // namespace card
