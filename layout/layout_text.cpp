// Line splitting and value reading for layout files.
#include "layout/layout_text.h"

namespace card {
namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::vector<LayoutLine> SplitLayoutLines(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::vector<LayoutLine> lines;
  int number = 1;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    if (end > pos) lines.push_back({text.substr(pos, end - pos), number});
    pos = end;
    while (pos < text.size() && IsLineBreak(text[pos])) {
      const bool crlf = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
      pos += crlf ? 2 : 1;
      ++number;
    }
  }
  return lines;
}

std::int32_t ReadInteger(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // Unsigned arithmetic wraps instead of overflowing, whatever the number of digits.
  std::uint32_t value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    value = value * 10 + static_cast<std::uint32_t>(text[pos] - '0');
  }
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

std::vector<std::string_view> SplitAt(std::string_view line, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t pos = line.find(separator); pos != std::string_view::npos;
       pos = line.find(separator, start)) {
    pieces.push_back(line.substr(start, pos - start));
    start = pos + 1;
  }
  pieces.push_back(line.substr(start));
  return pieces;
}

std::vector<std::string_view> SplitAtCommasAndBlanks(std::string_view line) {
  constexpr std::string_view kSeparators = ", \t";
  std::vector<std::string_view> pieces;
  std::size_t start = line.find_first_not_of(kSeparators);
  while (start != std::string_view::npos) {
    const std::size_t end = line.find_first_of(kSeparators, start);
    pieces.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
    start = end == std::string_view::npos ? end : line.find_first_not_of(kSeparators, end);
  }
  return pieces;
}

std::optional<ImageLineParts> SplitImageLine(std::string_view line) {
  const std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  std::size_t yStart = comma + 1;
  while (yStart < line.size() && IsBlank(line[yStart])) ++yStart;
  std::size_t yEnd = yStart;
  while (yEnd < line.size() && !IsBlank(line[yEnd])) ++yEnd;
  if (yEnd == line.size()) return std::nullopt;
  const std::string_view name = line.substr(yEnd + 1);
  const bool onlyBlanks = name.find_first_not_of(" \t") == std::string_view::npos;
  if (onlyBlanks) return std::nullopt;
  return ImageLineParts{ReadInteger(line.substr(0, comma)),
                        ReadInteger(line.substr(yStart, yEnd - yStart)), name};
}

}  // namespace card
