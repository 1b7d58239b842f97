// Card pictures decoded from bitmap files built byte by byte: the key colour, the hover swap,
// both row orders, packed and true-colour pixels, and files the decoder refuses.
#include "animation/image/bitmap_picture.h"

#include "animation/image/tests/bitmap_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace card {
namespace {

using testing::BitmapFile;

using Pixel = std::array<std::uint8_t, 4>;  // red, green, blue, alpha

Pixel At(const RgbaPicture& picture, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * picture.width + x) * 4;
  return {picture.rgba[i], picture.rgba[i + 1], picture.rgba[i + 2], picture.rgba[i + 3]};
}

constexpr std::uint32_t kMagenta = 0xFF00FF, kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

TEST(BitmapPicture, TheTopLeftColourIsTransparentWhereverItIs) {
  for (bool topDown : {false, true}) {
    for (int bits : {4, 8}) {
      // Entries 0 and 2 are both magenta: every entry of the key colour is transparent.
      const auto file = BitmapFile({kMagenta, kRed, kMagenta, kBlue},
                                   {{0, 1, 2}, {3, 0, 1}}, bits, topDown);
      auto picture = DecodeBitmapPicture(file);
      ASSERT_TRUE(picture) << picture.error();
      ASSERT_EQ(picture->width, 3);
      ASSERT_EQ(picture->height, 2);
      EXPECT_EQ(At(*picture, 0, 0)[3], 0) << bits;
      EXPECT_EQ(At(*picture, 2, 0)[3], 0) << bits;
      EXPECT_EQ(At(*picture, 1, 1)[3], 0) << bits;
      EXPECT_EQ(At(*picture, 1, 0), (Pixel{255, 0, 0, 255})) << bits << " top-down " << topDown;
      EXPECT_EQ(At(*picture, 0, 1), (Pixel{0, 0, 255, 255})) << bits << " top-down " << topDown;
    }
  }
}

TEST(BitmapPicture, AHoverSwapRecoloursOneColourButNeverTheKey) {
  const auto file = BitmapFile({kMagenta, kRed, kBlue}, {{0, 1, 2, 1}}, 8);
  auto swapped = DecodeBitmapPicture(file, kRed, kGreen);
  ASSERT_TRUE(swapped) << swapped.error();
  EXPECT_EQ(At(*swapped, 1, 0), (Pixel{0, 255, 0, 255}));
  EXPECT_EQ(At(*swapped, 3, 0), (Pixel{0, 255, 0, 255}));
  EXPECT_EQ(At(*swapped, 2, 0), (Pixel{0, 0, 255, 255}));
  EXPECT_EQ(At(*DecodeBitmapPicture(file, kMagenta, kGreen), 0, 0)[3], 0);
}

TEST(BitmapPicture, TrueColourPicturesAreOpaque) {
  const auto file = BitmapFile({}, {{kMagenta, kRed}, {kBlue, kMagenta}}, 24);
  auto picture = DecodeBitmapPicture(file);
  ASSERT_TRUE(picture) << picture.error();
  EXPECT_EQ(At(*picture, 0, 0), (Pixel{255, 0, 255, 255}));
  EXPECT_EQ(At(*picture, 1, 0), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(At(*picture, 0, 1), (Pixel{0, 0, 255, 255}));
}

TEST(BitmapPicture, RefusesWhatItCannotDraw) {
  auto compressed = BitmapFile({kMagenta, kRed}, {{0, 1}}, 8);
  compressed[14 + 16] = 1;  // RLE8
  auto sixteenBits = BitmapFile({}, {{kRed, kRed}}, 24);
  sixteenBits[14 + 14] = 16;
  auto truncated = BitmapFile({kMagenta, kRed}, {{0, 1}, {1, 0}}, 8);
  truncated.resize(truncated.size() - 3);
  const struct {
    const char* what;
    std::vector<std::uint8_t> file;
    const char* says;
  } cases[] = {
      {"empty", {}, "not a Windows bitmap"},
      {"compressed", compressed, "compressed"},
      {"16 bits", sixteenBits, "16 bits"},
      {"truncated", truncated, "do not fit"},
  };
  for (const auto& c : cases) {
    auto picture = DecodeBitmapPicture(c.file);
    ASSERT_FALSE(picture) << c.what;
    EXPECT_NE(picture.error().find(c.says), std::string::npos) << c.what << ": " << picture.error();
  }
}

}  // namespace
}  // namespace card
