// Wording of the damaged-file messages.
#include "content/content_damage.h"

namespace card {

std::string DamagedMessage(std::string_view fileName, std::string_view detail) {
  std::string message(fileName);
  message += " is damaged: ";
  message += detail;
  message += '.';
  return message;
}

std::string EndsPastFile(std::string_view what, std::uint64_t end, std::uint64_t size) {
  std::string text(what);
  text += " ends at byte " + std::to_string(end) + " but the file has " + std::to_string(size) +
          " bytes";
  return text;
}

std::string QuotedName(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      quoted += c;
    } else {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 0xF];
    }
  }
  quoted += '"';
  return quoted;
}

}  // namespace card
