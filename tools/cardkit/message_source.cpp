// message.txt to msg.txt.
#include "tools/cardkit/message_source.h"

#include "tools/cardkit/windows1252.h"

#include <vector>

namespace card::kit {
namespace {

constexpr char kMarkerByte = '\xFF';

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace

Result<std::string> MessageFileBytes(std::string_view utf8) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  std::vector<std::string_view> lines = Lines(utf8);
  const bool centred = !lines.empty() && lines.front() == kCentredDirective;
  const int firstLine = centred ? 2 : 1;
  if (centred) lines.erase(lines.begin());
  while (!lines.empty() && lines.back().empty()) lines.pop_back();

  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto converted = Utf8ToWindows1252(lines[i]);
    const std::string where = "line " + std::to_string(firstLine + static_cast<int>(i));
    if (!converted) {
      // The converter counts lines within the piece it was given: keep only its column.
      const std::string& error = converted.error();
      return Fail(where + error.substr(error.find(',')));
    }
    if (converted->find('\0') != std::string::npos) return Fail(where + ": the text holds a NUL.");
    if (i > 0) text += "\r\n";
    text += *converted;
  }
  if (!centred && text.ends_with("\xFF\xFF")) {
    return Fail(
        "the message ends with \"\xC3\xBF\xC3\xBF\", which the card would take for its "
        "centring marker.");
  }
  if (centred) text.append(2, kMarkerByte);
  return text;
}

}  // namespace card::kit
