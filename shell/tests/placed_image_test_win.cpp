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

// At 200 % every card pixel is a 2 x 2 block, the swapped part's blocks included; at 150 %
// the picture covers its scaled rectangle with its own colours only, yellow only inside the
// spot's scaled overlap.
TEST_F(PlacedPictureTest, AtADisplayScaleThePictureAndItsSwapAreDrawnAsBlocks) {
  // The picture at (4, 4), its spot where Expected's is for a picture at (10, 10).
  const std::vector<HotSpot> spots{Spot({7, 6, 30, 30})};
  PlacedImage(4, 4, path_).Draw(surface_, spots, DisplayScale::FromDpi(192));
  const Grid card = Expected(13, 12, 16, 14);
  Grid blocks(8, std::vector<COLORREF>(12));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 12; ++x) blocks[y][x] = card[y / 2][x / 2];
  }
  EXPECT_EQ(Read(8, 8, 12, 8), blocks);
  EXPECT_EQ(Read(20, 8, 2, 1), (Grid{{kGrey, kGrey}})) << "nothing drawn beyond the picture";

  const DisplayScale s150 = DisplayScale::FromDpi(144);
  const std::vector<HotSpot> spots150{Spot({15, 16, 40, 40})};
  PlacedImage(12, 14, path_).Draw(surface_, spots150, s150);
  const Rect placed = s150.ToDevice(Rect{12, 14, 18, 18});
  const Rect swapped = s150.ToDevice(Rect{15, 16, 18, 18});
  const Grid seen = Read(placed.left, placed.top, placed.Width(), placed.Height());
  for (int y = 0; y < placed.Height(); ++y) {
    for (int x = 0; x < placed.Width(); ++x) {
      const bool inSwap = swapped.Contains(Point{placed.left + x, placed.top + y});
      const COLORREF colour = seen[y][x];
      EXPECT_TRUE(colour == (inSwap ? kYellow : kRed) || (x < 2 && y < 2 && colour == kGrey))
          << "(" << x << ", " << y << ")";
    }
  }
}

}  // namespace
}  // namespace card
