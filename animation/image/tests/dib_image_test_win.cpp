// Card pictures drawn for real through GDI: transparency by the colour table, colour swaps,
// pictures without a colour table, and files that cannot be loaded. Pictures are small bitmap
// files written for each test.
#include "animation/image/dib_image_win.h"
#include "animation/image/memory_dc_win.h"
#include "animation/image/tests/bitmap_file_win.h"
#include "animation/image/tests/picture_surface_win.h"
#include "framework/gdi_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace card {
namespace {

using test::BitmapFile;
using test::Grid;
using test::PictureTest;
using test::Quad;
using namespace test::colours;

// Four colours, two table entries of the key colour (one with a reserved byte set), the top-left
// pixel of the key colour.
const std::vector<RGBQUAD> kTable{Quad(kMagenta), Quad(kRed), Quad(kMagenta, 5), Quad(kGreen),
                                  Quad(kBlue)};
const std::vector<std::vector<std::uint32_t>> kIndexes{
    {0, 1, 2, 3},
    {3, 2, 1, 0},
    {4, 4, 1, 2},
};

const Grid kPlain{{kGrey, kRed, kGrey, kGreen}, {kGreen, kGrey, kRed, kGrey}, {kBlue, kBlue, kRed, kGrey}};

struct SwapCase {
  const char* what;
  COLORREF swapFrom, swapTo;
  Grid expected;
};

void PrintTo(const SwapCase& c, std::ostream* out) { *out << c.what; }

class PictureSwapTest : public PictureTest, public testing::WithParamInterface<SwapCase> {};

TEST_P(PictureSwapTest, KeyEntriesStayTransparentAndOnlyTheAskedColourChanges) {
  const SwapCase& c = GetParam();
  const std::string path = Write("four.bmp", BitmapFile(kTable, kIndexes));
  DibImage picture(path);
  ASSERT_TRUE(picture.Loaded());
  ASSERT_EQ(picture.Width(), 4);
  ASSERT_EQ(picture.Height(), 3);

  picture.DrawTransparent(surface_, RECT{5, 6, 9, 9}, POINT{0, 0}, c.swapFrom, c.swapTo);
  EXPECT_EQ(Read(5, 6, 4, 3), c.expected);
  EXPECT_EQ(Read(4, 5, 1, 1), Grid{{kGrey}}) << "nothing outside the target";

  // The section's own colour table is put back: a plain draw afterwards shows the file's colours.
  picture.Draw(surface_, 20, 20);
  EXPECT_EQ(Read(20, 20, 4, 3), kPlain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureSwapTest,
    testing::Values(
        SwapCase{"no swap", 0, 0, kPlain},
        SwapCase{"red shown as yellow", kRed, kYellow,
                 {{kGrey, kYellow, kGrey, kGreen},
                  {kGreen, kGrey, kYellow, kGrey},
                  {kBlue, kBlue, kYellow, kGrey}}},
        SwapCase{"a swap from the key colour swaps nothing", kMagenta, kYellow, kPlain},
        SwapCase{"equal swap colours swap nothing", kGreen, kGreen, kPlain},
        SwapCase{"a swap to black draws black, not transparent", kBlue, RGB(0, 0, 0),
                 {{kGrey, kRed, kGrey, kGreen}, {kGreen, kGrey, kRed, kGrey}, {0, 0, kRed, kGrey}}}));

TEST_F(PictureTest, DrawsAPartFromTheSourcePointAtTheTargetsSize) {
  DibImage picture(Write("part.bmp", BitmapFile(kTable, kIndexes)));
  picture.DrawTransparent(surface_, RECT{10, 10, 12, 12}, POINT{2, 1}, 0, 0);
  EXPECT_EQ(Read(9, 9, 4, 4), (Grid{{kGrey, kGrey, kGrey, kGrey},
                                    {kGrey, kRed, kGrey, kGrey},
                                    {kGrey, kRed, kGrey, kGrey},
                                    {kGrey, kGrey, kGrey, kGrey}}));
}

TEST_F(PictureTest, APictureWithoutAColourTableIsOpaque) {
  // 24 bits per pixel; the top-left colour would be the key of a paletted picture.
  DibImage picture(Write("true.bmp", BitmapFile({}, {{kMagenta, kRed}, {kGreen, kMagenta}})));
  ASSERT_TRUE(picture.Loaded());
  picture.DrawTransparent(surface_, RECT{1, 1, 3, 3}, POINT{0, 0}, kRed, kYellow);
  EXPECT_EQ(Read(1, 1, 2, 2), (Grid{{kMagenta, kRed}, {kGreen, kMagenta}}));
}

TEST_F(PictureTest, AFileThatCannotBeLoadedDrawsNothingAndHasNoSize) {
  const std::vector<std::string> paths{folder_ + "\\missing.bmp",
                                       Write("text.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'b'}),
                                       Write("empty.bmp", {})};
  for (const std::string& path : paths) {
    DibImage picture(path);
    EXPECT_FALSE(picture.Loaded()) << path;
    EXPECT_EQ(picture.Width(), 0) << path;
    EXPECT_EQ(picture.Height(), 0) << path;
    picture.Draw(surface_, 0, 0);
    picture.DrawTransparent(surface_, RECT{0, 0, 8, 8}, POINT{0, 0}, kGrey, kRed);
    EXPECT_EQ(Read(0, 0, 8, 8), Grid(8, std::vector<COLORREF>(8, kGrey))) << path;
  }
}

}  // namespace
}  // namespace card
