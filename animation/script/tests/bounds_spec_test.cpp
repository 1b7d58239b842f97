#include "animation/script/bounds_spec.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace card {
namespace {

std::string Token(const std::string& spec) { return "\xA9" + spec + "\xA9"; }

class ParseBoundsTest : public ::testing::Test {
 protected:
  Result<Rect> Parse(const std::string& token) {
    const BoundsReferences references{
        [this] { return workArea_; }, 96, 80,
        [this](int id) -> std::optional<Rect> {
          lookedUp_.push_back(id);
          const auto found = controls_.find(id);
          if (found == controls_.end()) return std::nullopt;
          return found->second;
        }};
    return ParseBounds(token, references);
  }

  Rect workArea_{10, 20, 810, 620};
  std::map<int, Rect> controls_{
      {1, {30, 400, 130, 430}}, {7, {200, 50, 300, 90}}, {9, {0, 0, -3, -5}}};
  std::vector<int> lookedUp_;
};

TEST_F(ParseBoundsTest, ResolvesCornersAgainstTheirReferenceRectangles) {
  const struct {
    std::string token;
    Rect expected;
  } cases[] = {
      {Token("[0,0]0l0t,[0,0]0r0b"), {10, 20, 810, 620}},
      {Token("0l0t,0r0b"), {10, 20, 810, 620}},
      {Token(" \t0l0t, 0r0b"), {10, 20, 810, 620}},
      {Token("1c0m,0r0b"), {48, 320, 810, 620}},         // half the view's width
      {Token("[5,3]0l0t,[-5,-3]0r0b"), {15, 17, 805, 623}},  // dy counts upwards
      {Token("10l10t,10r10b"), {30, 400, 130, 430}},     // selector 10 is control 1
      {Token("7c1b,0r7m"), {250, 80, 810, 70}},          // x and y may use different rectangles
      {Token("9c9m,0r0b"), {-1, -2, 810, 620}},          // halves truncate toward zero
      {Token("0x0y,0z0w"), {810, 620, 810, 620}},        // any other letter: right, bottom
      {Token("l0t,0r0b"), {10, 20, 810, 620}},           // a missing selector is 0
      {"\xA9" "0l0t,0r0b", {10, 20, 810, 620}},          // unclosed: runs to the script's end
      {Token("0l0t,0r0b trailing"), {10, 20, 810, 620}},
  };
  for (const auto& c : cases) {
    const Result<Rect> r = Parse(c.token);
    ASSERT_TRUE(r.ok()) << c.token << ": " << r.error();
    EXPECT_EQ(*r, c.expected) << c.token;
  }
}

TEST_F(ParseBoundsTest, ReportsSyntaxErrorsAndMissingControls) {
  const struct {
    std::string token;
    std::string error;
  } cases[] = {
      {Token("[0,0 0l0t,0r0b"), "Bad syntax - missing ']'"},
      {Token("0l0t 0r0b"), "Bad syntax - missing ','"},
      {Token("0l0t,[1,1 0r0b"), "Bad syntax - missing ']'"},
      // The first corner's ']' is the next one, in the second corner: no ',' is left after it.
      {Token("[1,2 0l0t,[3,4]0r0b"), "Bad syntax - missing ','"},
      {"\xA9", "Bad syntax - missing ','"},
      {Token("5l0t,0r0b"), "Bad bounds - the card window has no control with id 5"},
      {Token("0l0t,0r-4b"), "Bad bounds - the card window has no control with id -4"},
  };
  for (const auto& c : cases) {
    const Result<Rect> r = Parse(c.token);
    ASSERT_FALSE(r.ok()) << c.token;
    EXPECT_EQ(r.error(), c.error) << c.token;
  }
}

TEST_F(ParseBoundsTest, NamesTheFirstMissingControlInEdgeOrder) {
  controls_.clear();
  const Result<Rect> r = Parse(Token("0l6t,5r10b"));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error(), "Bad bounds - the card window has no control with id 6");
  EXPECT_EQ(lookedUp_, std::vector<int>{6});
}

TEST_F(ParseBoundsTest, SelectorTenNamesControlOneInItsMessage) {
  controls_.clear();
  const Result<Rect> r = Parse(Token("10l0t,0r0b"));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error(), "Bad bounds - the card window has no control with id 1");
}

}  // namespace
}  // namespace card
