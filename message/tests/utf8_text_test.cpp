#include "message/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace card {
namespace {

TEST(Utf8Text, ConvertsEveryPlaneBothWays) {
  // ASCII, Latin, Cyrillic, Greek, CJK, an emoji (a surrogate pair), and a line break.
  const std::u16string wide = u"Aé€\nПривет Γειά 你好 \U0001F389";
  const std::string narrow = "A\xC3\xA9\xE2\x82\xAC\n\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5"
                             "\xD1\x82 \xCE\x93\xCE\xB5\xCE\xB9\xCE\xAC \xE4\xBD\xA0\xE5\xA5\xBD "
                             "\xF0\x9F\x8E\x89";
  EXPECT_EQ(Utf8FromUtf16(wide), narrow);
  EXPECT_EQ(Utf16FromUtf8(narrow), wide);
  EXPECT_EQ(CodePointCount(wide), 20u);
}

TEST(Utf8Text, WhatIsNotUnicodeBecomesTheReplacementCharacter) {
  const struct {
    std::string utf8;
    std::u16string expected;
  } cases[] = {
      {"a\xFF" "b", u"a\uFFFDb"},             // never in UTF-8 (the centring byte)
      {"\xE2\x82", u"\uFFFD\uFFFD"},          // cut short: each byte on its own
      {"\xC0\xAF", u"\uFFFD\uFFFD"},          // an overlong '/'
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // a surrogate written as UTF-8
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xE2" "A", u"\uFFFDA"},               // the next character survives
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.expected) << c.utf8;
  EXPECT_EQ(Utf8FromUtf16(u"a\xD800" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(Utf8FromUtf16(u"\xDC00"), "\xEF\xBF\xBD");
  EXPECT_EQ(CodePointCount(u"\xD800\xD800"), 2u);
}

}  // namespace
}  // namespace card
