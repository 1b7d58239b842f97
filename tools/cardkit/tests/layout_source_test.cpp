// layout.txt's #RRGGBB colours: rewritten as the card's decimal numbers on the colour lines
// only, everything else of the text kept byte for byte, and a malformed colour named by line.
#include "tools/cardkit/layout_source.h"

#include <gtest/gtest.h>

namespace card::kit {
namespace {

TEST(LayoutSource, RewritesTheColourLinesAndNothingElse) {
  const std::string source =
      "Card #C0FFEE\r\nv2\r\n1,1,0\r\n\r\n#F0F6FF|0|#ff0000\r\n#000000|#00FF00|#0000FF\r\n"
      "4,4 #BADBAD.bmp\r\n-\r\n1\r\npage.htm#ABCDEF\r\n#ABCDE.bm-\r\n1, 2, 3, 4\r\n"
      "#FF0000, #00FF00\r\n2\r\n#F0F6FF\r\n255\r\n";
  const std::string built =
      "Card #C0FFEE\r\nv2\r\n1,1,0\r\n\r\n16774896|0|255\r\n0|65280|16711680\r\n"
      "4,4 #BADBAD.bmp\r\n-\r\n1\r\npage.htm#ABCDEF\r\n#ABCDE.bm-\r\n1, 2, 3, 4\r\n"
      "255, 65280\r\n2\r\n16774896\r\n255\r\n";
  auto rewritten = LayoutFromSource(source, "layout.txt");
  ASSERT_TRUE(rewritten) << rewritten.error();
  EXPECT_EQ(*rewritten, built);
}

TEST(LayoutSource, NamesAMalformedColourByItsLine) {
  const struct {
    const char* colour;
    const char* found;
  } cases[] = {{"#F0F6F", "\"#F0F6F\""}, {"#F0F6FFF", "\"#F0F6FFF\""}, {"#GG0000", "\"#GG0000\""},
               {"#", "\"#\""}};
  for (const auto& c : cases) {
    const std::string source = "T\nv1\n0|0|0\n\n0|" + std::string(c.colour) + "|0\n-\n-\n0\n0\n";
    auto rewritten = LayoutFromSource(source, "layout.txt");
    ASSERT_FALSE(rewritten) << c.colour;
    EXPECT_NE(rewritten.error().find("layout.txt, line 5: "), std::string::npos)
        << rewritten.error();
    EXPECT_NE(rewritten.error().find(c.found), std::string::npos) << rewritten.error();
  }
}

TEST(LayoutSource, LeavesTextThatIsNoLayoutForTheCheckToJudge) {
  const std::string source = "only a title\n#FFFFFF|#000000|#000000\n";
  auto rewritten = LayoutFromSource(source, "layout.txt");
  ASSERT_TRUE(rewritten);
  EXPECT_EQ(*rewritten, source);
}

}  // namespace
}  // namespace card::kit
