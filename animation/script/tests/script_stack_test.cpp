#include "animation/script/script_stack.h"

#include <gtest/gtest.h>

#include <string>

namespace card {
namespace {

ScriptStack StackWith(std::string_view text) {
  ScriptStack stack;
  EXPECT_TRUE(stack.PushFront(text));
  return stack;
}

TEST(ScriptStack, GrowsByTheNeededSizePlusFiftyAndNeverShrinks) {
  ScriptStack stack;
  EXPECT_EQ(stack.Capacity(), 50u);
  EXPECT_TRUE(stack.Empty());
  ASSERT_TRUE(stack.PushFront(std::string(49, 'a')));  // 1 + 49 = 50 fits exactly
  EXPECT_EQ(stack.Capacity(), 50u);
  ASSERT_TRUE(stack.PushFront("b"));  // 50 + 1 > 50: 51 + 50
  EXPECT_EQ(stack.Capacity(), 101u);
  ASSERT_TRUE(stack.PushFront(std::string(51, 'c')));  // 51 + 51 = 102 > 101: 102 + 50
  EXPECT_EQ(stack.Capacity(), 152u);
  EXPECT_EQ(stack.Remaining(), std::string(51, 'c') + "b" + std::string(49, 'a'));
  stack.Clear();
  EXPECT_TRUE(stack.Empty());
  EXPECT_EQ(stack.Capacity(), 152u);
}

TEST(ScriptStack, PushFrontPutsTextAheadInItsOrder) {
  ScriptStack stack = StackWith("3)");
  ASSERT_TRUE(stack.PushFront("(1,2,"));
  ASSERT_TRUE(stack.PushFront(""));
  EXPECT_EQ(stack.Remaining(), "(1,2,3)");
  EXPECT_EQ(stack.Size(), 7u);
}

TEST(ScriptStack, AppendBackSeparatesRunsWithCommas) {
  ScriptStack stack;
  stack.AppendBack("(");
  stack.AppendBack("do");
  stack.AppendBack("");
  stack.AppendBack(")");
  EXPECT_EQ(stack.Remaining(), "(,do,)");
  ASSERT_EQ(stack.NextToken(false).kind, TokenKind::Group);
  stack.AppendBack("x");
  EXPECT_EQ(stack.Remaining(), ",do,),x");
}

TEST(ScriptStack, RefusesToGrowPastItsCap) {
  ScriptStack stack = StackWith(std::string(ScriptStack::kMaxBytes - 2, '1'));
  EXPECT_FALSE(stack.PushFront("abc"));
  EXPECT_EQ(stack.Size(), ScriptStack::kMaxBytes - 2);
  EXPECT_TRUE(stack.PushFront("ab"));
  EXPECT_EQ(stack.Size(), ScriptStack::kMaxBytes);
}

TEST(ScriptStack, SkipGroupDropsThroughTheCloserOfTheGroupBeingRun) {
  const struct {
    std::string before;
    std::string after;
  } cases[] = {
      {"2,3)4", "4"},
      {"(1,(2))3)4", "4"},
      {"{a|b}}x", "x"},
      {"1\x7F)", ")"},  // a sound mark closes a sound group
      {"(1}2)x", "x"},  // closers of either kind count alike
      {"1,2", ""},      // no closer: everything goes
      {"", ""},
  };
  for (const auto& c : cases) {
    ScriptStack stack = StackWith(c.before);
    stack.SkipGroup();
    EXPECT_EQ(stack.Remaining(), c.after) << c.before;
  }
}

TEST(ScriptStack, DiscardThroughMarkDropsUpToAndIncludingTheMark) {
  const struct {
    std::string before;
    std::string after;
  } cases[] = {
      {"2,3)*4\x7F)5", ")5"},
      {"\x7F\x7Fx", "\x7Fx"},
      {"1,2", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    ScriptStack stack = StackWith(c.before);
    stack.DiscardThroughMark();
    EXPECT_EQ(stack.Remaining(), c.after) << c.before;
  }
}

TEST(ScriptStack, HasMarkIgnoresAMarkThatEndsTheText) {
  const struct {
    std::string text;
    bool hasMark;
  } cases[] = {
      {"1\x7F)", true},  {"\x7Fx", true},    {"12\x7F", false},
      {"\x7F", false},   {"\x7F\x7F", true}, {"1,2)", false},
      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StackWith(c.text).HasMark(), c.hasMark) << c.text;
  }
}

TEST(ScriptStack, CountsTheBytesItWorksOn) {
  ScriptStack stack;
  const std::uint64_t before = stack.Work();
  ASSERT_TRUE(stack.PushFront("(1,2)"));
  stack.NextToken(false);
  EXPECT_GT(stack.Work(), before + 5);
}

}  // namespace
}  // namespace card
