#include "animation/script/script_stack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

using K = TokenKind;

struct TokenCase {
  std::string script;
  bool soundBusy;
  TokenKind kind;
  std::string text;
  std::string remaining;  // after the token
};

// A bounds token; "\xA9" is kept apart so the hex escape cannot swallow what follows.
std::string Bounds(const std::string& spec) { return "\xA9" + spec + "\xA9"; }

TEST(NextToken, ReadsEveryKindOfToken) {
  const std::vector<TokenCase> cases = {
      {"", false, K::End, "", ""},
      {"12,3", false, K::Frame, "12", ",3"},
      {"07", false, K::Frame, "07", ""},
      {"1-3*2", false, K::Range, "1-3", "*2"},
      {"5-x", false, K::Range, "5-", "x"},
      {"@30x", false, K::RepeatTime, "@30", "x"},
      {"@", false, K::RepeatTime, "@", ""},
      {"*3x", false, K::RepeatCount, "*3", "x"},
      {"*", false, K::RepeatCount, "*", ""},
      {"[2,-3]x", false, K::Move, "[2,-3]", "x"},
      {"[1,(]x", false, K::Move, "[1,(]", "x"},
      {"[2", false, K::Move, "[2", ""},
      {"(1,(2))3", false, K::Group, "(1,(2))", "1,(2))3"},
      {"([)]x)", false, K::Group, "([)", "[)]x)"},
      {"(1", false, K::Group, "(1", "1"},
      {"(1", true, K::Group, "(1", "1"},
      {"{a|{b}|c}x", false, K::Choice, "{a|{b}|c}", "x"},
      {"{a(}b)", false, K::Choice, "{a(}", "b)"},
      {"{a", false, K::Choice, "{a", ""},
      {Bounds("0l0t,0r0b") + "1", false, K::Bounds, Bounds("0l0t,0r0b"), "1"},
      {"\xA9" "0l0t", false, K::Bounds, "\xA9" "0l0t", ""},
      {",x", false, K::Separator, ",", "x"},
      {"walk_2\\b x", false, K::Name, "walk_2\\b", " x"},
      {"Walk-1", false, K::Name, "Walk", "-1"},
      {"!CHIME_2 x", false, K::Sound, "!CHIME_2", " x"},
      {"!a\\b", false, K::Sound, "!a", "\\b"},
      {"!", false, K::Sound, "!", ""},
      {")x", false, K::GroupEnd, ")", "x"},
      {"\x7Fx", false, K::SoundMark, "\x7F", "x"},
      {"}x", false, K::ChoiceEnd, "}", "x"},
      {"~12x", false, K::Note, "~12", "x"},
      {"   5 ", false, K::Frame, "5", " "},
  };
  for (const TokenCase& c : cases) {
    ScriptStack stack;
    ASSERT_TRUE(stack.PushFront(c.script));
    const Token token = stack.NextToken(c.soundBusy);
    EXPECT_EQ(token.kind, c.kind) << c.script;
    EXPECT_EQ(token.text, c.text) << c.script;
    EXPECT_EQ(stack.Remaining(), c.remaining) << c.script;
  }
}

TEST(NextToken, SoundGroupMarksItsEndOnceAndWaitsWhileASoundPlays) {
  const std::vector<TokenCase> cases = {
      // The matching ')' becomes the sound mark; only the '(' is read.
      {"(!A (1))2", false, K::SoundGroup, "(!A (1)\x7F", "!A (1)\x7F" "2"},
      {"(!A 1", false, K::SoundGroup, "(!A 1", "!A 1"},
      // A mark ahead means the group ran before (a repeat of it): empty text, nothing marked.
      {"(!B)1\x7Fx", false, K::SoundGroup, "", "!B)1\x7Fx"},
      // ... unless the mark ends the text, which counts as no mark.
      {"(!B)\x7F", false, K::SoundGroup, "(!B\x7F", "!B\x7F\x7F"},
      {"(!A 1)2", true, K::Wait, "", "(!A 1)2"},
  };
  for (const TokenCase& c : cases) {
    ScriptStack stack;
    ASSERT_TRUE(stack.PushFront(c.script));
    const Token token = stack.NextToken(c.soundBusy);
    EXPECT_EQ(token.kind, c.kind) << c.script;
    EXPECT_EQ(token.text, c.text) << c.script;
    EXPECT_EQ(stack.Remaining(), c.remaining) << c.script;
  }
}

TEST(NextToken, ACharacterOutsideTheLanguageEndsTheScript) {
  const std::vector<std::string> scripts = {"\t5", "\r\n5", "-5", "_a", "\\a", "\x80" "1", "\xFF",
                                            "\xAA" "1", "%2", "|1", "]1", std::string("\0" "1", 2)};
  for (const std::string& script : scripts) {
    ScriptStack stack;
    ASSERT_TRUE(stack.PushFront(script));
    EXPECT_EQ(stack.NextToken(false).kind, K::End) << script;
    EXPECT_TRUE(stack.Empty()) << script;
  }
}

TEST(NextToken, ReadsAWholeScriptTokenByToken) {
  ScriptStack stack;
  ASSERT_TRUE(stack.PushFront("1-3*2,[10,0]4 !S ~3"));
  std::vector<std::pair<TokenKind, std::string>> tokens;
  for (Token t = stack.NextToken(false); t.kind != K::End; t = stack.NextToken(false)) {
    tokens.emplace_back(t.kind, t.text);
  }
  const std::vector<std::pair<TokenKind, std::string>> expected = {
      {K::Range, "1-3"}, {K::RepeatCount, "*2"}, {K::Separator, ","}, {K::Move, "[10,0]"},
      {K::Frame, "4"},   {K::Sound, "!S"},       {K::Note, "~3"},
  };
  EXPECT_EQ(tokens, expected);
}

}  // namespace
}  // namespace card
