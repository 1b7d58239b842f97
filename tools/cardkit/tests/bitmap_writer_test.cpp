// Paletted bitmaps: read back through their headers, colour table and rows, they show the
// picture with exactly the intended pixels in the key colour (the top-left pixel's).
#include "tools/cardkit/bitmap_writer.h"

#include "animation/image/bitmap_header.h"
#include "animation/image/packed_pixels.h"
#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace card::kit {
namespace {

// What a bitmap shows: each pixel's colour from the table, and whether it is the key colour.
struct Shown {
  BitmapHeader header;
  std::vector<Rgb> table;
  std::vector<Rgb> pixels;
  std::vector<bool> keyed;
};

Shown Show(const std::vector<std::uint8_t>& bytes) {
  Shown shown;
  auto header = ReadBitmapHeader(bytes);
  EXPECT_TRUE(header) << header.error();
  shown.header = *header;
  for (std::uint32_t i = 0; i < header->tableEntries; ++i) {
    const std::size_t at = 14 + 40 + 4 * i;
    shown.table.push_back({bytes[at + 2], bytes[at + 1], bytes[at]});
  }
  const ByteView rows = ByteView(bytes).subspan(header->pixelOffset);
  const int w = header->width;
  const int h = header->height;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      shown.pixels.push_back(shown.table.at(PackedIndexAt(rows, w, h, header->bitsPerPixel, x, y)));
    }
  }
  const Rgb key = shown.pixels.at(0);  // the card takes the top-left pixel's colour as the key
  for (const Rgb& pixel : shown.pixels) shown.keyed.push_back(pixel == key);
  return shown;
}

TEST(BitmapWriter, FewColoursMakeAFourBitBitmapThatShowsThePictureExactly) {
  RgbaImage picture = test::FilledImage(5, 3, {255, 255, 255, 255});
  picture.At(1, 1) = {200, 0, 0, 255};
  picture.At(4, 2) = {0, 0, 90, 255};
  auto bytes = WriteBitmap(picture, "logo.png");
  ASSERT_TRUE(bytes) << bytes.error();
  const Shown shown = Show(*bytes);
  EXPECT_EQ(shown.header.bitsPerPixel, 4);
  EXPECT_EQ(shown.header.height, 3) << "rows are stored bottom-up";
  EXPECT_EQ(shown.table.size(), 3u);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    EXPECT_EQ(shown.pixels[i], ColourOf(picture.pixels[i])) << i;
  }
  // White is the key colour: the card draws the white pixels transparent, nothing else.
  EXPECT_EQ(std::count(shown.keyed.begin(), shown.keyed.end(), true), 13);
}

TEST(BitmapWriter, TransparentPixelsAndOnlyThemGetTheKeyColour) {
  RgbaImage picture = test::FilledImage(4, 4, {0, 0, 0, 0});
  picture.At(1, 1) = {255, 0, 255, 255};  // the usual key colour, used by the picture itself
  picture.At(2, 1) = {10, 200, 10, 255};
  picture.At(2, 2) = {10, 200, 10, 250};
  auto bytes = WriteBitmap(picture, "hover.png");
  ASSERT_TRUE(bytes) << bytes.error();
  const Shown shown = Show(*bytes);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(shown.keyed[i], IsTransparent(picture.pixels[i])) << i;
    if (!IsTransparent(picture.pixels[i])) {
      EXPECT_EQ(shown.pixels[i], ColourOf(picture.pixels[i]));
    }
  }
}

TEST(BitmapWriter, ManyColoursMakeAnEightBitBitmapWhoseKeyStaysUnique) {
  // 64 x 64 distinct colours; the top-left one is the key.
  RgbaImage picture = test::FilledImage(64, 64, {});
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      picture.At(x, y) = {static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4), 77,
                          255};
    }
  }
  auto bytes = WriteBitmap(picture, "back.png");
  ASSERT_TRUE(bytes) << bytes.error();
  const Shown shown = Show(*bytes);
  EXPECT_EQ(shown.header.bitsPerPixel, 8);
  EXPECT_LE(shown.table.size(), 256u);
  EXPECT_EQ(std::count(shown.table.begin(), shown.table.end(), shown.table[0]), 1)
      << "only entry 0 may have the key colour";
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    EXPECT_EQ(shown.keyed[i], ColourOf(picture.pixels[i]) == ColourOf(picture.pixels[0])) << i;
    const Rgb a = shown.pixels[i];
    const Rgb b = ColourOf(picture.pixels[i]);
    EXPECT_LE(std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b), 24) << i;
  }
}

TEST(BitmapWriter, RefusesAnOpaqueTopLeftPixelBesideTransparentOnes) {
  RgbaImage picture = test::FilledImage(3, 3, {0, 0, 0, 0});
  picture.At(0, 0) = {1, 2, 3, 255};
  auto bytes = WriteBitmap(picture, "pictures/badge.png");
  ASSERT_FALSE(bytes);
  EXPECT_NE(bytes.error().find("pictures/badge.png"), std::string::npos) << bytes.error();
  EXPECT_NE(bytes.error().find("top-left"), std::string::npos) << bytes.error();
}

}  // namespace
}  // namespace card::kit
