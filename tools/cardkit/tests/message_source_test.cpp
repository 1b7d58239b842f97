// message.txt to msg.txt: code page, line ends, the centring marker, and refusals by place.
#include "tools/cardkit/message_source.h"

#include <gtest/gtest.h>

namespace card::kit {
namespace {

TEST(MessageSource, ConvertsToWindows1252WithCrLfLineEnds) {
  struct Case {
    std::string source;
    std::string bytes;
  };
  const Case cases[] = {
      {"Dear Anna,\nHappy holidays!\n", "Dear Anna,\r\nHappy holidays!"},
      {"Caf\xC3\xA9 \xE2\x82\xAC"
       "5 \xE2\x80\x94 \xC3\xBF\r\n",
       "Caf\xE9 \x80"
       "5 \x97 \xFF"},
      {"\xEF\xBB\xBFone\r\n\r\nthree\n\n\n", "one\r\n\r\nthree"},
      {"@centred\nHello\nthere\n", "Hello\r\nthere\xFF\xFF"},
      {"@centred\n", "\xFF\xFF"},
      {"", ""},
      {"Hi @centred\n", "Hi @centred"},
  };
  for (const Case& c : cases) {
    auto bytes = MessageFileBytes(c.source);
    ASSERT_TRUE(bytes) << c.source << ": " << bytes.error();
    EXPECT_EQ(*bytes, c.bytes) << c.source;
  }
}

TEST(MessageSource, RefusesTextTheCardCannotShowNamingThePlace) {
  struct Case {
    std::string source;
    const char* says;
  };
  const Case cases[] = {
      {"Hello\nsnow \xE2\x98\x83!\n", "line 2, column 6"},
      {"@centred\nA\nB \xE2\x98\x83\n", "line 3, column 3"},
      {"ok\nbad \xC3\n", "line 2, column 5"},
      {std::string("nul \0 here", 10), "NUL"},
      {"ends \xC3\xBF\xC3\xBF", "centring marker"},
  };
  for (const Case& c : cases) {
    auto bytes = MessageFileBytes(c.source);
    ASSERT_FALSE(bytes) << c.source;
    EXPECT_NE(bytes.error().find(c.says), std::string::npos) << bytes.error();
  }
}

}  // namespace
}  // namespace card::kit
