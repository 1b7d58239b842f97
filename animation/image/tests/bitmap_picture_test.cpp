// Card pictures decoded from bitmap files built byte by byte: the key colour, the hover swap,
// both row orders, packed and true-colour pixels, and files the decoder refuses.
#include "animation/image/bitmap_picture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace card {
namespace {

using Pixel = std::array<std::uint8_t, 4>;  // red, green, blue, alpha

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A bitmap file with `table` (0x00BBGGRR entries) and `rows` of indexes, top row first;
// without a table the rows hold 0x00BBGGRR colours stored in 24 bits.
std::vector<std::uint8_t> BitmapFile(const std::vector<std::uint32_t>& table,
                                     const std::vector<std::vector<std::uint32_t>>& rows,
                                     int bits, bool topDown = false) {
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows[0].size());
  const int stride = (width * bits + 31) / 32 * 4;
  const std::uint32_t pixelsAt = 14 + 40 + static_cast<std::uint32_t>(table.size()) * 4;
  std::vector<std::uint8_t> out{'B', 'M'};
  Put(out, pixelsAt + stride * height, 4);
  Put(out, 0, 4);
  Put(out, pixelsAt, 4);
  Put(out, 40, 4);
  Put(out, width, 4);
  Put(out, static_cast<std::uint32_t>(topDown ? -height : height), 4);
  Put(out, 1, 2);
  Put(out, bits, 2);
  Put(out, 0, 4);
  Put(out, stride * height, 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, static_cast<std::uint32_t>(table.size()), 4);
  Put(out, 0, 4);
  for (std::uint32_t c : table) out.insert(out.end(), {std::uint8_t(c >> 16), std::uint8_t(c >> 8),
                                                       std::uint8_t(c), 0});
  for (int i = 0; i < height; ++i) {
    const auto& row = rows[topDown ? i : height - 1 - i];
    std::vector<std::uint8_t> packed(stride, 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = row[x];
      if (bits == 24) {
        packed[3 * x] = std::uint8_t(v >> 16);
        packed[3 * x + 1] = std::uint8_t(v >> 8);
        packed[3 * x + 2] = std::uint8_t(v);
      } else {
        const int perByte = 8 / bits;
        packed[x / perByte] |= std::uint8_t(v << (8 - bits * (x % perByte + 1)));
      }
    }
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}

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
