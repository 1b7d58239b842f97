// The card window's paint on screen: its pictures with their key colour transparent over the
// background, a hovered spot's colour swap only where it overlaps a picture, a hover image at
// the spot's corner, and nothing at all when the layout has no logo.
#include "animation/image/tests/bitmap_file_win.h"
#include "framework/window_win.h"
#include "shell/card_look_win.h"
#include "shell/card_surface_win.h"
#include "framework/tests/pixels_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace card {
namespace {

constexpr COLORREF kBackground = RGB(0, 0, 128);
constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// An 8-bit bitmap file whose colour index at (x, y) is `index(x, y)`.
void WriteBitmap(const std::filesystem::path& path, int width, int height,
                 const std::vector<COLORREF>& colours, const std::function<int(int, int)>& index) {
  std::vector<RGBQUAD> table;
  for (COLORREF c : colours) table.push_back(test::Quad(c));
  std::vector<std::vector<std::uint32_t>> indexes(height, std::vector<std::uint32_t>(width));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) indexes[y][x] = static_cast<std::uint32_t>(index(x, y));
  }
  const std::vector<std::uint8_t> bytes = test::BitmapFile(table, indexes);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class PaintedCard : public Window {
 public:
  explicit PaintedCard(CardSurface& surface) : surface_(surface) {
    Create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, nullptr, "painted", WS_POPUP, 0, 0, 200, 100,
           nullptr, nullptr);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
  }
  void Repaint() {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  void Hover(int x, int y) { surface_.MouseMove(Handle(), POINT{x, y}); }
  // The window's pixels as they are on the screen, once the display shows the window: its
  // top-left pixel, never covered by a picture here, has the background colour.
  void Grab(test::PixelSurface& pixels) const {
    const DWORD deadline = GetTickCount() + 3000;
    do {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      GdiFlush();
      Sleep(50);
      HDC screen = GetDC(nullptr);
      BitBlt(pixels.Dc(), 0, 0, 200, 100, screen, 0, 0, SRCCOPY);
      ReleaseDC(nullptr, screen);
    } while (pixels.At(1, 1) != kBackground && GetTickCount() < deadline);
  }

 protected:
  bool OnEraseBkgnd(HDC dc) override { return surface_.EraseBackground(dc); }
  void OnPaint() override { surface_.Paint(Handle()); }

 private:
  CardSurface& surface_;
};

class CardPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / "card-paint-test";
    std::filesystem::create_directories(folder_);
    // The card folder is the current folder, where hover images are found.
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    TheCardLook() = CardLook{};
    TheCardLook().colours.background = 0x02000000 | kBackground;
    // A red square on the key colour; the key is the top-left pixel.
    WriteBitmap(folder_ / "square.bmp", 40, 40, {kKey, kRed},
                [](int x, int y) { return x >= 10 && y >= 10 && x < 30 && y < 30 ? 1 : 0; });
    WriteBitmap(folder_ / "hover.bmp", 10, 10, {kKey, kWhite},
                [](int x, int y) { return x > 0 || y > 0 ? 1 : 0; });
  }
  void TearDown() override {
    TheCardLook() = CardLook{};
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  std::unique_ptr<PlacedImage> Square(int x, int y) {
    return std::make_unique<PlacedImage>(x, y, (folder_ / "square.bmp").string());
  }
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

TEST_F(CardPaint, DrawsPicturesTransparentlyAndRecoloursOnlyTheHoveredOverlap) {
  std::vector<std::unique_ptr<PlacedImage>> images;
  images.push_back(Square(0, 0));  // the logo: not drawn on the card
  images.push_back(Square(100, 0));
  HotSpot swap;
  swap.rect = Rect{100, 0, 120, 100};  // the left half of the square
  swap.fromColour = kRed;
  swap.toColour = kGreen;
  HotSpot image;
  image.rect = Rect{150, 60, 170, 80};
  image.hoverImage = "HOVER.bmp";
  HotSpot elsewhere = image;  // a hover image named with a path is a missing picture
  elsewhere.rect = Rect{150, 20, 170, 40};
  elsewhere.hoverImage = (folder_ / "hover.bmp").string();
  CardSurface surface(std::move(images), {swap, image, elsewhere}, nullptr, nullptr);
  PaintedCard card(surface);
  test::PixelSurface pixels(200, 100);

  card.Grab(pixels);
  EXPECT_EQ(pixels.At(15, 15), kBackground) << "the logo is not drawn on the card";
  EXPECT_EQ(pixels.At(105, 5), kBackground) << "key colour transparent";
  EXPECT_EQ(pixels.At(115, 15), kRed);
  EXPECT_EQ(pixels.At(125, 25), kRed);

  card.Hover(110, 50);
  card.Repaint();
  card.Grab(pixels);
  EXPECT_EQ(pixels.At(115, 15), kGreen) << "inside the hovered spot";
  EXPECT_EQ(pixels.At(125, 25), kRed) << "outside the hovered spot";
  EXPECT_EQ(pixels.At(105, 5), kBackground) << "still transparent";

  card.Hover(155, 65);
  card.Repaint();
  card.Grab(pixels);
  EXPECT_EQ(pixels.At(115, 15), kRed) << "the swap ends with the hover";
  EXPECT_EQ(pixels.At(150, 60), kBackground) << "the hover image's key pixel";
  EXPECT_EQ(pixels.At(155, 65), kWhite);
  EXPECT_EQ(pixels.At(165, 75), kBackground) << "the hover image is 10 pixels wide";

  card.Hover(155, 25);
  card.Repaint();
  card.Grab(pixels);
  EXPECT_EQ(pixels.At(155, 25), kBackground) << "no hover image from a path";
  EXPECT_EQ(pixels.At(155, 65), kBackground);
}

// At 200 % the same card in card pixels: the picture, the swap and the hover image as 2 x 2
// blocks, the spots hit and redrawn over their scaled rectangles.
TEST_F(CardPaint, AtADisplayScaleDrawsAndHitsInScaledRectangles) {
  TheCardLook().scale = DisplayScale::FromDpi(192);
  std::vector<std::unique_ptr<PlacedImage>> images;
  images.push_back(Square(0, 0));
  images.push_back(Square(50, 0));  // red over card x 60 to 79: device 120 to 159
  HotSpot swap;
  swap.rect = Rect{50, 0, 65, 50};
  swap.fromColour = kRed;
  swap.toColour = kGreen;
  HotSpot image;
  image.rect = Rect{75, 30, 85, 40};
  image.hoverImage = "hover.bmp";
  CardSurface surface(std::move(images), {swap, image}, nullptr, nullptr);
  PaintedCard card(surface);
  test::PixelSurface pixels(200, 100);

  card.Hover(110, 50);  // card point (55, 25)
  card.Repaint();
  card.Grab(pixels);
  EXPECT_EQ(pixels.At(119, 21), kBackground) << "key colour transparent";
  EXPECT_EQ(pixels.At(120, 20), kGreen) << "the first swapped block";
  EXPECT_EQ(pixels.At(129, 59), kGreen) << "the last swapped block";
  EXPECT_EQ(pixels.At(130, 20), kRed) << "the spot ends at device 130";
  EXPECT_EQ(pixels.At(159, 59), kRed);
  EXPECT_EQ(pixels.At(160, 59), kBackground) << "the square is 20 card pixels";

  card.Hover(155, 65);  // card point (77, 32)
  card.Repaint();
  card.Grab(pixels);
  EXPECT_EQ(pixels.At(120, 20), kRed) << "the swap ends with the hover";
  EXPECT_EQ(pixels.At(151, 61), kBackground) << "the hover image's key pixel, 2 x 2";
  EXPECT_EQ(pixels.At(152, 60), kWhite);
  EXPECT_EQ(pixels.At(169, 79), kWhite);
  EXPECT_EQ(pixels.At(170, 79), kBackground) << "the hover image is 20 device pixels wide";
}

TEST_F(CardPaint, ShowsOnlyTheBackgroundWithoutALogo) {
  std::vector<std::unique_ptr<PlacedImage>> images;
  images.push_back(nullptr);
  images.push_back(Square(100, 0));
  CardSurface surface(std::move(images), {}, nullptr, nullptr);
  PaintedCard card(surface);
  test::PixelSurface pixels(200, 100);
  card.Grab(pixels);
  EXPECT_EQ(pixels.At(115, 15), kBackground);
  EXPECT_EQ(pixels.At(50, 50), kBackground);
}

}  // namespace
}  // namespace card
