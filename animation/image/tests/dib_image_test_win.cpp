// Card pictures drawn for real through GDI: transparency by the colour table, colour swaps,
// pictures without a colour table, files that cannot be loaded, and hot-spot recolouring of a
// placed picture. Pictures are small bitmap files written for each test.
#include "animation/image/dib_image_win.h"
#include "animation/image/memory_dc_win.h"
#include "animation/image/placed_image_win.h"
#include "animation/image/tests/bitmap_file_win.h"
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
using test::Quad;

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 170);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGrey = RGB(90, 90, 90);  // what the destination holds before drawing

using Grid = std::vector<std::vector<COLORREF>>;  // rows top to bottom

class PictureTest : public testing::Test {
 protected:
  static constexpr int kSurfaceSize = 32;

  void SetUp() override {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    folder_ = std::string(dir) + "card_picture_test_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    // A 32-bit surface, so that every colour drawn reads back exactly.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kSurfaceSize;
    info.bmiHeader.biHeight = -kSurfaceSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    surfaceBitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(surfaceBitmap_);
    SelectObject(surface_, surfaceBitmap_);
    Fill(kGrey);
  }

  void TearDown() override {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder_ + "\\" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    files_.push_back(path);
    return path;
  }

  void Fill(COLORREF colour) {
    Brush brush(CreateSolidBrush(colour));
    RECT all{0, 0, kSurfaceSize, kSurfaceSize};
    FillRect(surface_, &all, brush);
  }

  // The surface's pixels in the rectangle (left, top) of `width` x `height`.
  Grid Read(int left, int top, int width, int height) {
    Grid grid(height, std::vector<COLORREF>(width));
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) grid[y][x] = GetPixel(surface_, left + x, top + y);
    }
    return grid;
  }

  std::string folder_;
  std::vector<std::string> files_;
  CompatibleDC surface_{nullptr};
  Bitmap surfaceBitmap_;
};

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
