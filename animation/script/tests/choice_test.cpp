#include "animation/script/choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

TEST(ChoiceWeight, TakesTheDigitsAfterTheLastPercentModulo65536) {
  const struct {
    std::string alternative;
    ChoiceAlternative expected;
  } cases[] = {
      {"a", {"a", 1}},          {"a%3", {"a", 3}},         {"a%", {"a", 0}},
      {"a%x", {"a", 0}},        {"a%12x", {"a", 12}},      {"a%b%2", {"a%b", 2}},
      {"a%65536", {"a", 0}},    {"a%65537", {"a", 1}},     {"%5", {"", 5}},
      {"a%99999999999", {"a", static_cast<std::uint16_t>(99999999999 % 65536)}},
  };
  for (const auto& c : cases) EXPECT_EQ(ChoiceWeight(c.alternative), c.expected) << c.alternative;
}

TEST(ChoiceAlternatives, SplitsAtEveryBarWithoutNesting) {
  const struct {
    std::string token;
    std::vector<std::string_view> texts;
  } cases[] = {
      {"{}", {""}},
      {"{|}", {"", ""}},
      {"{7|8%3}", {"7", "8"}},
      {"{a|{b|c}}", {"a", "{b", "c}"}},
      {"{", {""}},
      {"{ab", {"a"}},  // an unclosed choice still loses its last character
  };
  for (const auto& c : cases) {
    std::vector<std::string_view> texts;
    for (const ChoiceAlternative& a : ChoiceAlternatives(c.token)) texts.push_back(a.text);
    EXPECT_EQ(texts, c.texts) << c.token;
  }
}

TEST(PickChoice, DrawsByWeightFromTheFixedSequence) {
  // The generator gives 41, 18467, 6334, 26500: modulo 4 that is 1, 3, 2, 0.
  CardRandom random;
  EXPECT_EQ(PickChoice("{7|8%3}", random), "8");
  EXPECT_EQ(PickChoice("{7|8%3}", random), "8");
  EXPECT_EQ(PickChoice("{7|8%3}", random), "8");
  EXPECT_EQ(PickChoice("{7|8%3}", random), "7");
}

TEST(PickChoice, NeverDrawsAZeroWeight) {
  for (const std::string token : {"{a%0|b}", "{a%65536|b}", "{a%0|b|c%0}"}) {
    CardRandom random;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(PickChoice(token, random), "b") << token;
  }
}

TEST(PickChoice, AllWeightsZeroGivesAnEmptyAlternativeWithoutADraw) {
  CardRandom random;
  EXPECT_EQ(PickChoice("{a%0}", random), "");
  EXPECT_EQ(PickChoice("{a%0|b%65536}", random), "");
  EXPECT_EQ(PickChoice("{a|b|c}", random), "c");  // still the first number: 41 % 3 = 2
}

TEST(PickChoice, EmptyChoicesDrawAnEmptyAlternative) {
  CardRandom random;
  EXPECT_EQ(PickChoice("{}", random), "");
  EXPECT_EQ(PickChoice("{|}", random), "");
}

}  // namespace
}  // namespace card
