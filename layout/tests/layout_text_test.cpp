#include "layout/layout_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace card {
namespace {

using Lines = std::vector<std::pair<std::string, int>>;

Lines Split(std::string_view text) {
  Lines lines;
  for (const LayoutLine& line : SplitLayoutLines(text)) lines.emplace_back(line.text, line.number);
  return lines;
}

TEST(SplitLayoutLines, BreaksAtEveryRunOfCrAndLfAndNumbersLikeAnEditor) {
  const struct {
    std::string text;
    Lines expected;
  } cases[] = {
      {"", {}},
      {"\r\n\r\n", {}},
      {"a", {{"a", 1}}},
      {"a\r\nb\r\n", {{"a", 1}, {"b", 2}}},
      {"a\nb\rc", {{"a", 1}, {"b", 2}, {"c", 3}}},
      {"a\r\n\r\n\nb", {{"a", 1}, {"b", 4}}},
      {"\n\ra", {{"a", 3}}},
      {"a\n\r\nb", {{"a", 1}, {"b", 3}}},  // LF, then CR LF
      {" \r\n", {{" ", 1}}},               // a blank is not an empty line
      {std::string("a\nb\0c\nd", 7), {{"a", 1}, {"b", 2}}},
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.text), c.expected) << "text: " << c.text;
}

TEST(ReadInteger, ReadsLikeAtoi) {
  const std::pair<std::string_view, std::int32_t> cases[] = {
      {"0", 0},
      {"16777215", 16777215},
      {"  \t42", 42},
      {"-7", -7},
      {"+7", 7},
      {"12abc", 12},
      {"1,2", 1},
      {"abc", 0},
      {"", 0},
      {"- 5", 0},
      {"--5", 0},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"4294967295", -1},  // beyond 32 bits the low 32 bits remain
      {"4294967297", 1},
      {"99999999999999999999999", static_cast<std::int32_t>(0xF67FFFFFu)},  // 10^23 - 1 mod 2^32
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ReadInteger(text), expected) << text;
}

TEST(SplitAt, KeepsEmptyPieces) {
  using Pieces = std::vector<std::string_view>;
  EXPECT_EQ(SplitAt("1|2|3", '|'), (Pieces{"1", "2", "3"}));
  EXPECT_EQ(SplitAt("1||", '|'), (Pieces{"1", "", ""}));
  EXPECT_EQ(SplitAt("1|2", '|'), (Pieces{"1", "2"}));
  EXPECT_EQ(SplitAt("", ','), (Pieces{""}));
}

TEST(SplitAtCommasAndBlanks, AnyMixSeparates) {
  using Pieces = std::vector<std::string_view>;
  const Pieces rect{"10", "20", "30", "40"};
  for (std::string_view line :
       {"10,20,30,40", "10, 20, 30, 40", "10 20 30 40", " ,10 ,, 20\t30,40, ", "10,20 ,30   40"}) {
    EXPECT_EQ(SplitAtCommasAndBlanks(line), rect) << line;
  }
  EXPECT_EQ(SplitAtCommasAndBlanks(" , "), Pieces{});
  EXPECT_EQ(SplitAtCommasAndBlanks("-1,x"), (Pieces{"-1", "x"}));
}

TEST(SplitImageLine, TakesXYAndTheWholeRestAsName) {
  const struct {
    std::string_view line;
    std::int32_t x, y;
    std::string_view name;
  } cases[] = {
      {"4,4 logo.bmp", 4, 4, "logo.bmp"},
      {"0,0 picture.bmp", 0, 0, "picture.bmp"},
      {"12,   34 my picture.bmp", 12, 34, "my picture.bmp"},  // blanks after the comma skipped
      {"1,2  two blanks.bmp", 1, 2, " two blanks.bmp"},       // only one blank ends y
      {"-5,x7 a.bmp", -5, 0, "a.bmp"},
      {" 3 ,4 a b ", 3, 4, "a b "},
  };
  for (const auto& c : cases) {
    const auto parts = SplitImageLine(c.line);
    ASSERT_TRUE(parts) << c.line;
    EXPECT_EQ(parts->x, c.x) << c.line;
    EXPECT_EQ(parts->y, c.y) << c.line;
    EXPECT_EQ(parts->fileName, c.name) << c.line;
  }
}

TEST(SplitImageLine, RefusesLinesWithoutAllThreeParts) {
  for (std::string_view line : {"4 4 logo.bmp", "4,4", "4,4 ", "4,4   ", "4,logo.bmp", "4,", ","}) {
    EXPECT_FALSE(SplitImageLine(line)) << line;
  }
}

}  // namespace
}  // namespace card
