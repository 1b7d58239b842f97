// A placed card picture drawn for real through GDI: hovered hot spots recolour only their
// overlap with it, spots that swap nothing leave it as drawn, and a file that cannot be loaded
// draws nothing.
#include "shell/placed_image_win.h"

#include "animation/image/tests/bitmap_file_win.h"
#include "animation/image/tests/picture_surface_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

using test::BitmapFile;
using test::Grid;
using test::PictureTest;
using test::Quad;
using namespace test::colours;

TEST_F(PictureTest, APlacedPictureWhoseFileCannotBeLoadedDrawsNothing) {
  const std::vector<std::string> paths{folder_ + "\\missing.bmp",
                                       Write("text.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'b'}),
                                       Write("empty.bmp", {})};
  for (const std::string& path : paths) {
    PlacedImage(3, 3, path).Draw(surface_);
    EXPECT_EQ(Read(0, 0, 8, 8), Grid(8, std::vector<COLORREF>(8, kGrey))) << path;
  }
}

// A 6 x 4 red picture (magenta top-left corner) at (10, 10).
class PlacedPictureTest : public PictureTest {
 protected:
  void SetUp() override {
    PictureTest::SetUp();
    std::vector<std::vector<std::uint32_t>> indexes(4, std::vector<std::uint32_t>(6, 1));
    indexes[0][0] = 0;
    path_ = Write("placed.bmp", BitmapFile({Quad(kMagenta), Quad(kRed)}, indexes));
  }

  // What (10, 10, 16, 14) should show with the part [left, right) x [top, bottom) yellow.
  Grid Expected(int left, int top, int right, int bottom) {
    Grid grid(4, std::vector<COLORREF>(6, kRed));
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) grid[y - 10][x - 10] = kYellow;
    }
    grid[0][0] = kGrey;
    return grid;
  }

  static HotSpot Spot(Rect rect) {
    HotSpot spot;
    spot.hover = true;
    spot.rect = rect;
    spot.fromColour = kRed;
    spot.toColour = kYellow;
    return spot;
  }

  std::string path_;
};

TEST_F(PlacedPictureTest, AHoveredHotSpotRecoloursOnlyItsOverlap) {
  const std::vector<HotSpot> spots{Spot({13, 12, 30, 30})};
  PlacedImage(10, 10, path_).Draw(surface_, spots);
  EXPECT_EQ(Read(10, 10, 6, 4), Expected(13, 12, 16, 14));
  EXPECT_EQ(Read(16, 12, 2, 1), (Grid{{kGrey, kGrey}})) << "nothing drawn beyond the picture";
}

TEST_F(PlacedPictureTest, SpotsThatSwapNothingLeaveThePictureAsDrawn) {
  std::vector<HotSpot> spots{Spot({0, 0, 30, 30}), Spot({0, 0, 30, 30}), Spot({0, 0, 30, 30}),
                             Spot({20, 20, 30, 30})};
  spots[0].hover = false;
  spots[1].hoverImage = "over.bmp";
  spots[2].toColour = kRed;
  PlacedImage placed(10, 10, path_);
  placed.Draw(surface_, spots);
  EXPECT_EQ(Read(10, 10, 6, 4), Expected(0, 0, 0, 0));
  placed.Draw(surface_);  // the logo's way: no hot-spot list
  EXPECT_EQ(Read(10, 10, 6, 4), Expected(0, 0, 0, 0));
}

}  // namespace
}  // namespace card
