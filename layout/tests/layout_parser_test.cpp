#include "layout/layout_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

using Lines = std::vector<std::string>;

// A complete layout in three parts: title to the end of the pictures (with settings, a logo
// and one picture), one hot spot, and a palette of three entries.
const Lines kHead = {"Greetings",           "v2",           "1,1,1",           "16777215|0|255",
                     "12632256|0|16777215", "4,4 logo.bmp", "0,0 picture.bmp", "-"};
const Lines kRecord = {".\\info.htm", "-", "40, 40, 200, 120", "255, 65280"};
const Lines kPalette = {"3", "0", "16777215", "255"};

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Lines kExample = Concat({kHead, {"1"}, kRecord, kPalette});

std::string Join(const Lines& lines, std::string_view lineEnd = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + std::string(lineEnd);
  return text;
}

// The example with the line numbered `number` (1-based) replaced by `replacement`, which may
// hold several lines or none.
Lines Replace(Lines lines, int number, const Lines& replacement) {
  lines.erase(lines.begin() + (number - 1));
  lines.insert(lines.begin() + (number - 1), replacement.begin(), replacement.end());
  return lines;
}

LayoutFile ParseOk(const std::string& text) {
  auto layout = ParseLayout(text);
  EXPECT_TRUE(layout.ok()) << layout.error();
  return layout.ok() ? *layout : LayoutFile{};
}

// Everything but the title, version and settings, for comparing layouts that differ there.
void ExpectSameCard(const LayoutFile& a, const LayoutFile& b) {
  EXPECT_EQ(a.colours, b.colours);
  EXPECT_EQ(a.logo, b.logo);
  EXPECT_EQ(a.images, b.images);
  EXPECT_EQ(a.hotSpots, b.hotSpots);
  EXPECT_EQ(a.palette, b.palette);
}

TEST(ParseLayout, ReadsEveryFieldOfACompleteFile) {
  const LayoutFile layout = ParseOk(Join(kExample));
  EXPECT_EQ(layout.title, "Greetings");
  EXPECT_EQ(layout.versionTag, "v2");
  EXPECT_EQ(layout.settings, (LayoutSettings{1, 1, 1}));
  EXPECT_EQ(layout.colours, (LayoutColours{0x02FFFFFF, 0x02000000, 0x020000FF, 0x02C0C0C0,
                                           0x02000000, 0x02FFFFFF}));
  EXPECT_EQ(layout.logo, (LayoutImage{4, 4, "logo.bmp"}));
  EXPECT_EQ(layout.images, (std::vector<LayoutImage>{{0, 0, "picture.bmp"}}));
  ASSERT_EQ(layout.hotSpots.size(), 1u);
  EXPECT_EQ(layout.hotSpots[0], (LayoutHotSpot{".\\info.htm", "", {40, 40, 200, 120}, 255, 65280}));
  EXPECT_EQ(layout.palette, (std::vector<std::uint32_t>{0, 16777215, 255}));
}

TEST(ParseLayout, KnowsTheLineOfEveryName) {
  // Blank lines count, as an editor counts them.
  const Lines lines = Replace(Replace(kExample, 11, {}), 10, {"", "a.htm", "", "", "hover.bmp-"});
  const LayoutFile layout = ParseOk(Join(lines));
  EXPECT_EQ(layout.lines.logo, 6);
  EXPECT_EQ(layout.lines.images, (std::vector<int>{7}));
  ASSERT_EQ(layout.lines.hotSpots.size(), 1u);
  EXPECT_EQ(layout.lines.hotSpots[0].target, 11);
  EXPECT_EQ(layout.lines.hotSpots[0].hoverImage, 14);
}

TEST(ParseLayout, VersionOneHasNoSettingsLine) {
  const LayoutFile withSettings = ParseOk(Join(Replace(kExample, 3, {"1, 1, 0"})));
  const LayoutFile versionOne = ParseOk(Join(Replace(Replace(kExample, 3, {}), 2, {"v1"})));
  EXPECT_EQ(withSettings.settings, (LayoutSettings{1, 1, 0}));
  EXPECT_EQ(versionOne.settings, (LayoutSettings{0, 0, 0}));
  ExpectSameCard(withSettings, versionOne);
  // Only the exact tag counts: anything else is followed by settings.
  const LayoutFile upperCase = ParseOk(Join(Replace(kExample, 2, {"V1"})));
  EXPECT_EQ(upperCase.settings, (LayoutSettings{1, 1, 1}));
}

TEST(ParseLayout, BlankLinesAndLineEndsDoNotShiftFields) {
  const LayoutFile plain = ParseOk(Join(kExample));
  std::string spaced = "\r\n\n";
  for (const std::string& line : kExample) spaced += line + "\r\n\r\r\n\n";
  for (const std::string& text : {spaced, Join(kExample, "\n"), Join(kExample, "\r")}) {
    const LayoutFile layout = ParseOk(text);
    EXPECT_EQ(layout.title, plain.title);
    EXPECT_EQ(layout.settings, plain.settings);
    ExpectSameCard(layout, plain);
  }
  // No line end after the last palette entry, and lines after the palette are never read.
  std::string unterminated = Join(kExample);
  unterminated.resize(unterminated.size() - 2);
  ExpectSameCard(ParseOk(unterminated), plain);
  ExpectSameCard(ParseOk(Join(kExample) + "anything\r\n0,0 x\r\n"), plain);
}

TEST(ParseLayout, TellsWhereEachPartStands) {
  // A blank line after the title shifts every later number by one.
  std::string text = Join(kExample);
  text.insert(text.find("\r\n") + 2, "\r\n");
  const LayoutLines lines = ParseOk(text).lines;
  EXPECT_EQ(lines.colours[0], 5);
  EXPECT_EQ(lines.colours[1], 6);
  EXPECT_EQ(lines.logo, 7);
  EXPECT_EQ(lines.images, (std::vector<int>{8}));
  ASSERT_EQ(lines.hotSpots.size(), 1u);
  EXPECT_EQ(lines.hotSpots[0].target, 11);
  EXPECT_EQ(lines.hotSpots[0].hoverImage, 12);
  EXPECT_EQ(lines.hotSpots[0].rect, 13);
  EXPECT_EQ(lines.hotSpots[0].colours, 14);
  EXPECT_EQ(lines.palette, (std::vector<int>{16, 17, 18}));
}

TEST(ParseLayout, LogoAndPictureList) {
  const struct {
    Lines lines;  // replacing the logo, picture and end lines of the example
    std::optional<LayoutImage> logo;
    std::vector<LayoutImage> images;
  } cases[] = {
      {{"-", "-"}, std::nullopt, {}},
      {{"x", "0,0 a.bmp", "10,20 b c.bmp", "."},
       std::nullopt,
       {{0, 0, "a.bmp"}, {10, 20, "b c.bmp"}}},
      {{"4,4 logo.bmp", "-"}, LayoutImage{4, 4, "logo.bmp"}, {}},
      {{"1,2 L", "3,4 P", "#"}, LayoutImage{1, 2, "L"}, {{3, 4, "P"}}},
  };
  for (const auto& c : cases) {
    const Lines lines = Replace(Replace(Replace(kExample, 8, {}), 7, {}), 6, c.lines);
    const LayoutFile layout = ParseOk(Join(lines));
    EXPECT_EQ(layout.logo, c.logo) << Join(c.lines);
    EXPECT_EQ(layout.images, c.images) << Join(c.lines);
    EXPECT_EQ(layout.hotSpots.size(), 1u);  // the fields after the list are still in step
  }
}

TEST(ParseLayout, HotSpotRecords) {
  const struct {
    Lines record;
    LayoutHotSpot expected;
  } cases[] = {
      {{"a.htm", "-", "10,20,30,40", "1,2"}, {"a.htm", "", {10, 20, 30, 40}, 1, 2}},
      {{"a.htm", "over.bmp-", "10, 20, 30, 40", "1 2"},
       {"a.htm", "over.bmp", {10, 20, 30, 40}, 1, 2}},
      {{"go.exe x", "ab", "10 20 30 40", "5,5"}, {"go.exe x", "a", {10, 20, 30, 40}, 5, 5}},
      {{"t", "h.", "-1,-2, 3 ,4 ,9", "16711680, 255"}, {"t", "h", {-1, -2, 3, 4}, 16711680, 255}},
  };
  for (const auto& c : cases) {
    const LayoutFile layout = ParseOk(Join(Concat({kHead, {"1"}, c.record, kPalette})));
    ASSERT_EQ(layout.hotSpots.size(), 1u);
    EXPECT_EQ(layout.hotSpots[0], c.expected) << Join(c.record);
    EXPECT_EQ(layout.palette.size(), 3u);
  }
}

TEST(ParseLayout, SeveralOrNoHotSpots) {
  const Lines second = {"b.htm", "b.bmp-", "0 0 5 5", "0,0"};
  const LayoutFile two = ParseOk(Join(Concat({kHead, {"2"}, kRecord, second, kPalette})));
  ASSERT_EQ(two.hotSpots.size(), 2u);
  EXPECT_EQ(two.hotSpots[1], (LayoutHotSpot{"b.htm", "b.bmp", {0, 0, 5, 5}, 0, 0}));
  EXPECT_EQ(two.palette.size(), 3u);

  for (const char* count : {"0", "-3", "none"}) {
    const LayoutFile none = ParseOk(Join(Concat({kHead, {count}, {"2", "7", "8"}})));
    EXPECT_TRUE(none.hotSpots.empty()) << count;
    EXPECT_EQ(none.palette, (std::vector<std::uint32_t>{7, 8})) << count;
  }
}

TEST(ParseLayout, RefusesMalformedLinesNamingTheLine) {
  const struct {
    Lines lines;
    std::string message;
  } cases[] = {
      {Replace(kExample, 3, {"1,1"}),
       "Layout.txt, line 3: expected three numbers separated by ',' (sound effects on, music on, "
       "music repeats)."},
      {Replace(kExample, 4, {"255|0"}),
       "Layout.txt, line 4: expected three colours separated by '|'."},
      {Replace(kExample, 5, {"1,2,3"}),
       "Layout.txt, line 5: expected three colours separated by '|'."},
      {Replace(kExample, 6, {"4,4"}),
       "Layout.txt, line 6: expected the logo as \"x,y file name\", or one character for no logo."},
      {Replace(kExample, 7, {"picture.bmp"}),
       "Layout.txt, line 7: expected a picture as \"x,y file name\", or one character ending the "
       "pictures."},
      {Replace(kExample, 12, {"40, 40, 200"}),
       "Layout.txt, line 12: expected a hot spot's left, top, right and bottom (four numbers)."},
      {Replace(kExample, 13, {"255"}),
       "Layout.txt, line 13: expected a hot spot's from and to colours (two numbers)."},
      {Replace(kExample, 9, {"80"}),
       "Layout.txt, line 9: expected at most 79 hot spots, found 80."},
      {Replace(kExample, 14, {"-1"}),
       "Layout.txt, line 14: expected a palette count from 0 to the 3 lines that follow it, found "
       "-1."},
      {Replace(kExample, 14, {"4"}),
       "Layout.txt, line 14: expected a palette count from 0 to the 3 lines that follow it, found "
       "4."},
      {Concat({kHead, {"2"}, kRecord, {"b.htm", "-"}}),
       "Layout.txt ends after line 15: expected a hot spot's left, top, right and bottom (four "
       "numbers) next."},
      {{}, "Layout.txt is missing or empty: expected the card's title on line 1."},
  };
  for (const auto& c : cases) {
    const auto layout = ParseLayout(Join(c.lines));
    ASSERT_FALSE(layout.ok()) << c.message;
    EXPECT_EQ(layout.error(), c.message);
  }
}

TEST(ParseLayout, RefusesEveryTruncation) {
  constexpr std::size_t kPaletteCountLine = 14;
  for (std::size_t kept = 0; kept < kExample.size(); ++kept) {
    const Lines lines(kExample.begin(), kExample.begin() + kept);
    const auto layout = ParseLayout(Join(lines) + "\r\n\r\n");
    ASSERT_FALSE(layout.ok()) << kept;
    // A palette cut short is refused at its count, which promises more lines than follow.
    const std::string where =
        kept == 0 ? "Layout.txt is missing or empty: expected "
        : kept < kPaletteCountLine
            ? "Layout.txt ends after line " + std::to_string(kept) + ": expected "
            : "Layout.txt, line 14: expected a palette count from 0 to the " +
                  std::to_string(kept - kPaletteCountLine) + " lines";
    EXPECT_EQ(layout.error().substr(0, where.size()), where);
  }
}

TEST(ParseLayout, LineLimitCountsNonEmptyLines) {
  Lines atLimit = kExample;
  atLimit.resize(kMaxLayoutLines, "extra");
  EXPECT_TRUE(ParseLayout(Join(atLimit) + "\r\n\r\n").ok());

  Lines overLimit = atLimit;
  overLimit.push_back("one too many");
  const auto refused = ParseLayout(Join(overLimit) + "\r\n");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error(),
            "Layout.txt, line 80: expected the end of the file; a layout holds at most 79 "
            "non-empty lines.");
  // The line number is the one an editor shows, blank lines included.
  const auto spaced = ParseLayout("\n\n" + Join(overLimit), "layout.txt");
  EXPECT_EQ(spaced.error().substr(0, 20), "layout.txt, line 82:");
}

}  // namespace
}  // namespace card
