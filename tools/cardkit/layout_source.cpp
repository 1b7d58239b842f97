// Rewriting layout.txt's #RRGGBB colours as the decimal numbers Layout.txt holds.
#include "tools/cardkit/layout_source.h"

#include "layout/layout_file.h"
#include "layout/layout_text.h"

#include <cctype>
#include <set>

namespace card::kit {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// One colour line with its #RRGGBB values replaced.
Result<std::string> RewriteLine(std::string_view line, int number, std::string_view fileName) {
  std::string out;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '#') {
      out += line[i];
      continue;
    }
    std::size_t end = i + 1;
    while (end < line.size() && IsWordCharacter(line[end])) ++end;
    const auto colour = HexColour(line.substr(i, end - i));
    if (!colour) {
      return Fail(std::string(fileName) + ", line " + std::to_string(number) +
                  ": expected a colour as #RRGGBB (six hexadecimal digits) or a decimal number, "
                  "found \"" + std::string(line.substr(i, end - i)) + "\".");
    }
    out += std::to_string(*colour);
    i = end - 1;
  }
  return out;
}

std::set<int> ColourLines(const LayoutLines& lines) {
  std::set<int> numbers{lines.colours[0], lines.colours[1]};
  for (const LayoutLines::HotSpot& spot : lines.hotSpots) numbers.insert(spot.colours);
  numbers.insert(lines.palette.begin(), lines.palette.end());
  return numbers;
}

}  // namespace

std::optional<std::uint32_t> HexColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  for (char c : text.substr(1)) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
  }
  const std::uint32_t red = rgb >> 16, green = rgb >> 8 & 0xFF, blue = rgb & 0xFF;
  return blue << 16 | green << 8 | red;
}

Result<std::string> LayoutFromSource(std::string_view text, std::string_view fileName) {
  const Result<LayoutFile> parsed = ParseLayout(text, fileName);
  if (!parsed) return std::string(text);
  const std::set<int> colourLines = ColourLines(parsed->lines);
  // Rebuild the text line by line, keeping every line end and blank line as it was.
  std::string out;
  std::size_t from = 0;
  for (const LayoutLine& line : SplitLayoutLines(text)) {
    const auto at = static_cast<std::size_t>(line.text.data() - text.data());
    out.append(text.substr(from, at - from));
    from = at + line.text.size();
    if (!colourLines.contains(line.number)) {
      out.append(line.text);
      continue;
    }
    auto rewritten = RewriteLine(line.text, line.number, fileName);
    if (!rewritten) return Fail(rewritten.error());
    out += *rewritten;
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace card::kit
