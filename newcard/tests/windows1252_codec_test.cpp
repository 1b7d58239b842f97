#include "newcard/windows1252_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace card {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

TEST(Windows1252Codec, MapsEachByteToOneUnit) {
  const Windows1252Codec codec;
  const std::u16string wide = codec.ToUtf16(AllBytes());
  ASSERT_EQ(wide.size(), 256u);
  for (int b = 0; b < 256; ++b) {
    if (b < 0x80 || b >= 0xA0) {
      EXPECT_EQ(wide[b], char16_t(b)) << b;
    }
  }
  const std::pair<int, char16_t> highBlock[] = {
      {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x82, u'\u201A'}, {0x85, u'\u2026'},
      {0x8A, u'\u0160'}, {0x8C, u'\u0152'}, {0x8D, u'\u008D'}, {0x8E, u'\u017D'},
      {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x91, u'\u2018'}, {0x93, u'\u201C'},
      {0x96, u'\u2013'}, {0x99, u'\u2122'}, {0x9D, u'\u009D'}, {0x9F, u'\u0178'},
  };
  for (const auto& [byte, unit] : highBlock) EXPECT_EQ(wide[byte], unit) << byte;
}

TEST(Windows1252Codec, RoundTripsEveryByteAndMarksTheRest) {
  const Windows1252Codec codec;
  EXPECT_EQ(codec.FromUtf16(codec.ToUtf16(AllBytes())), AllBytes());
  EXPECT_EQ(codec.FromUtf16(u"\u20AC\u0100\u4E00\U0001F600\u0080\u0160"), "\x80???\?\?\x8A");
}

TEST(Windows1252Codec, UpperCasesLettersOnly) {
  const Windows1252Codec codec;
  const std::pair<std::string, std::string> cases[] = {
      {"Dear anna, 2 you!", "DEAR ANNA, 2 YOU!"},
      {"\xE0\xE9\xFE\xF7\xFF", "\xC0\xC9\xDE\xF7\x9F"},  // a-grave e-acute thorn, division sign
      {"\x9A\x9C\x9E", "\x8A\x8C\x8E"},
      {"\xB5\xDF\xC0\x8A{}", "\xB5\xDF\xC0\x8A{}"},  // no single capital, or already one
  };
  for (const auto& [text, upper] : cases) EXPECT_EQ(codec.ToUpper(text), upper) << text;
}

}  // namespace
}  // namespace card
