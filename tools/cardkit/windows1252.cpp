// UTF-8 decoding; the code page itself is the codec of the card file naming.
#include "tools/cardkit/windows1252.h"

#include "newcard/windows1252_codec.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace card::kit {
namespace {

// The code page's byte for `code`, through the codec the card file naming uses, or nothing.
std::optional<char> ToWindows1252(char32_t code) {
  if (code > 0xFFFF) return std::nullopt;
  static const Windows1252Codec codec;
  const std::string byte = codec.FromUtf16(std::u16string(1, static_cast<char16_t>(code)));
  // The codec turns what it lacks into '?'.
  if (byte.size() != 1 || (byte[0] == '?' && code != '?')) return std::nullopt;
  return byte[0];
}

// Decodes one UTF-8 character at `i` and advances past it; nothing when the bytes are not UTF-8.
std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC2 ? 2
                                            : 0;
  if (length == 0 || lead > 0xF4 || i + length > text.size()) return std::nullopt;
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = code << 6 | (next & 0x3F);
  }
  i += length;
  return code;
}

std::string Place(int line, int column) {
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

Result<std::string> Utf8ToWindows1252(std::string_view utf8) {
  std::string out;
  int line = 1;
  int column = 1;
  for (std::size_t i = 0; i < utf8.size(); ++column) {
    const std::optional<char32_t> code = NextCharacter(utf8, i);
    if (!code) return Fail(Place(line, column) + ": the text is not UTF-8 there.");
    const std::optional<char> byte = ToWindows1252(*code);
    if (!byte) {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(*code));
      return Fail(Place(line, column) + ": the character " + name +
                  " has no Windows-1252 form, which the card uses.");
    }
    out.push_back(*byte);
    if (*code == '\n') line += 1, column = 0;
  }
  return out;
}

}  // namespace card::kit
