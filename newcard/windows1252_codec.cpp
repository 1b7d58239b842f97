// Windows-1252 conversion tables. Bytes 0x00-0x7F and 0xA0-0xFF are the Unicode characters of
// the same value; only 0x80-0x9F need a table.
#include "newcard/windows1252_codec.h"

#include <array>
#include <cstdint>

namespace card {
namespace {

constexpr std::array<char16_t, 32> kHighBlock = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

char16_t ToUnicode(std::uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighBlock[byte - 0x80] : char16_t{byte};
}

char FromUnicode(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
    if (kHighBlock[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
}

std::uint8_t UpperCase(std::uint8_t byte) {
  constexpr std::uint8_t kDivisionSign = 0xF7;
  const bool smallLetter =
      (byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != kDivisionSign);
  if (smallLetter) return static_cast<std::uint8_t>(byte - 0x20);
  // S, OE and Z with caron or ligature, and Y with diaeresis, whose capitals sit in 0x80-0x9F.
  switch (byte) {
    case 0x9A:
      return 0x8A;
    case 0x9C:
      return 0x8C;
    case 0x9E:
      return 0x8E;
    case 0xFF:
      return 0x9F;
    default:
      return byte;
  }
}

}  // namespace

std::u16string Windows1252Codec::ToUtf16(std::string_view text) const {
  std::u16string wide;
  wide.reserve(text.size());
  for (char c : text) wide.push_back(ToUnicode(static_cast<std::uint8_t>(c)));
  return wide;
}

std::string Windows1252Codec::FromUtf16(std::u16string_view text) const {
  std::string narrow;
  narrow.reserve(text.size());
  for (char16_t unit : text) narrow.push_back(FromUnicode(unit));
  return narrow;
}

std::string Windows1252Codec::ToUpper(std::string_view text) const {
  std::string upper;
  upper.reserve(text.size());
  for (char c : text) upper.push_back(static_cast<char>(UpperCase(static_cast<std::uint8_t>(c))));
  return upper;
}

}  // namespace card
