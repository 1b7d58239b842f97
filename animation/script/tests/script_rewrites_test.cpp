#include "animation/script/script_rewrites.h"

#include "animation/script/script_numbers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace card {
namespace {

TEST(NameExpansion, WrapsStoredTextUnlessItIsEmptyOrABoundsDefinition) {
  const struct {
    std::optional<std::string_view> stored;
    std::string expected;
  } cases[] = {
      {std::nullopt, "0"},  // an undefined name shows frame 0
      {"", ""},
      {"1,2", "(1,2)"},
      {"\xA9" "0l0t,0r0b\xA9", "\xA9" "0l0t,0r0b\xA9"},
      {"\xA9" "0l0t,0r0b\xA9" "1", "(\xA9" "0l0t,0r0b\xA9" "1)"},
  };
  for (const auto& c : cases) EXPECT_EQ(NameExpansion(c.stored), c.expected);
}

TEST(RangeExpansion, CountsFromTheFirstNumberTowardsTheSecond) {
  const struct {
    std::string token;
    std::string expected;
  } cases[] = {
      {"1-3", "(1,2,3)"},
      {"5-3", "(5,4,3)"},
      {"4-4", "(4)"},
      {"5-", "(5,4,3,2,1,0)"},
      {"07-09", "(7,8,9)"},
      {"0-0", "(0)"},
      {"99999999999-2147483647", "(2147483647)"},  // oversized numbers saturate
  };
  for (const auto& c : cases) EXPECT_EQ(RangeExpansion(c.token, 1 << 20), c.expected) << c.token;
}

TEST(RangeExpansion, RefusesARangeLongerThanTheLimit) {
  EXPECT_EQ(RangeExpansion("1-5", 11), "(1,2,3,4,5)");
  EXPECT_EQ(RangeExpansion("1-5", 10), std::nullopt);
  EXPECT_EQ(RangeExpansion("0-4000000000", 1 << 20), std::nullopt);
}

TEST(RepeatCountRewrite, RepeatsTheItemUntilItRanNTimes) {
  const struct {
    std::string token;
    std::string item;
    std::string expected;
  } cases[] = {
      {"*3", "5", "5*2"},
      {"*2", "(1,2)", "(1,2)*1"},
      {"*1", "5", ""},
      {"*0", "5", ""},
      {"*", "5", ""},
      {"*10", "", "*9"},  // an empty item runs down without showing anything
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RepeatCountRewrite(c.token, c.item), c.expected) << c.token << " " << c.item;
  }
}

TEST(RepeatTimeRewrite, RepeatsWhileTimeIsLeft) {
  const struct {
    std::string token;
    std::int32_t itemStart;
    std::int32_t now;
    std::string expected;
  } cases[] = {
      {"@30", 10, 10, "9@30"},
      {"@30", 10, 15, "9@25"},
      {"@30", 10, 39, "9@1"},
      {"@30", 10, 40, ""},
      {"@30", 10, 90, ""},
      {"@", 10, 10, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RepeatTimeRewrite(c.token, "9", c.itemStart, c.now), c.expected)
        << c.token << " " << c.itemStart << " " << c.now;
  }
}

TEST(ScriptNumbers, SignedNumbersReadLikeStrtolAndSaturate) {
  const struct {
    std::string text;
    std::int32_t value;
    std::size_t end;
  } cases[] = {
      {"12,", 12, 2},          {"  -7]", -7, 4},       {"+3", 3, 2},
      {"\t\n5", 5, 3},         {"x", 0, 0},            {" -x", 0, 0},  // no digits: nothing read
      {"99999999999", 2147483647, 11},                 {"-99999999999", -2147483647 - 1, 12},
  };
  for (const auto& c : cases) {
    const ParsedNumber n = ParseSigned(c.text, 0);
    EXPECT_EQ(n.value, c.value) << c.text;
    EXPECT_EQ(n.end, c.end) << c.text;
  }
}

TEST(ScriptNumbers, MovesSkipExactlyOneCharacterBetweenTheirNumbers) {
  const struct {
    std::string token;
    Move expected;
  } cases[] = {
      {"[10,0]", {10, 0}}, {"[-3,4]", {-3, 4}}, {"[ 2, 5]", {2, 5}}, {"[7]", {7, 0}},
      {"[,5]", {0, 5}},    {"[2;6]", {2, 6}},   {"[2,,6]", {2, 0}},  {"[", {0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseMoveToken(c.token), c.expected) << c.token;
}

}  // namespace
}  // namespace card
