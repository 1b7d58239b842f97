// Conversions between UTF-8 and UTF-16 (see utf8_text.h).
#include "message/utf8_text.h"

namespace card {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The code point at `i` of `utf8`, advancing past it; one bad byte gives U+FFFD and is skipped.
char32_t NextFromUtf8(std::string_view utf8, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(utf8[i++]);
  if (lead < 0x80) return lead;
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length - 1 > utf8.size()) return kReplacement;
  char32_t code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(utf8[i + k - 1]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    code = code << 6 | (next & 0x3F);
  }
  // Overlong forms, surrogates and numbers beyond Unicode are not UTF-8.
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || IsHighSurrogate(code) || IsLowSurrogate(code) || code > 0x10FFFF) {
    return kReplacement;
  }
  i += length - 1;
  return code;
}

// The code point at `i` of `utf16`, advancing past it.
char32_t NextFromUtf16(std::u16string_view utf16, std::size_t& i) {
  const char32_t unit = utf16[i++];
  if (IsHighSurrogate(unit) && i < utf16.size() && IsLowSurrogate(utf16[i])) {
    return 0x10000 + ((unit - 0xD800) << 10) + (utf16[i++] - 0xDC00);
  }
  return IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit;
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t code = NextFromUtf8(utf8, i);
    if (code < 0x10000) {
      out.push_back(static_cast<char16_t>(code));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size();) {
    const char32_t code = NextFromUtf16(utf16, i);
    const auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (code < 0x80) {
      put(code);
    } else if (code < 0x800) {
      put(0xC0 | code >> 6);
      put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      put(0xE0 | code >> 12);
      put(0x80 | (code >> 6 & 0x3F));
      put(0x80 | (code & 0x3F));
    } else {
      put(0xF0 | code >> 18);
      put(0x80 | (code >> 12 & 0x3F));
      put(0x80 | (code >> 6 & 0x3F));
      put(0x80 | (code & 0x3F));
    }
  }
  return out;
}

std::size_t CodePointCount(std::u16string_view utf16) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < utf16.size(); ++count) NextFromUtf16(utf16, i);
  return count;
}

}  // namespace card
