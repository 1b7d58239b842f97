// Bottom-up, row-padded index arrays: the exact bytes of a small case, and round trips.
#include "animation/image/packed_pixels.h"

#include <gtest/gtest.h>

namespace card {
namespace {

TEST(PackedPixels, FourBitRowsAreBottomUpHighNibbleFirstAndPadded) {
  // 3 x 2 pixels: top row 1 2 3, bottom row 4 5 6; each row takes 2 bytes, padded to 4.
  const std::vector<std::uint8_t> packed = PackBottomUp({1, 2, 3, 4, 5, 6}, 3, 2, 4);
  const std::vector<std::uint8_t> expected = {0x45, 0x60, 0, 0, 0x12, 0x30, 0, 0};
  EXPECT_EQ(packed, expected);
}

TEST(PackedPixels, RowBytesArePaddedToWholeWords) {
  struct Case {
    int width, bits;
    std::size_t bytes;
  };
  for (const Case& c : {Case{1, 4, 4}, Case{8, 4, 4}, Case{9, 4, 8}, Case{96, 4, 48}, Case{5, 8, 8},
                        Case{32, 1, 4}, Case{33, 1, 8}}) {
    EXPECT_EQ(PackedRowBytes(c.width, c.bits), c.bytes) << c.width << " x " << c.bits << " bits";
  }
}

TEST(PackedPixels, EveryPixelReadsBackAtItsPlace) {
  for (int bits : {1, 4, 8}) {
    for (int width : {1, 3, 7, 13}) {
      const int height = 5;
      std::vector<std::uint8_t> indices;
      for (int i = 0; i < width * height; ++i) {
        indices.push_back(static_cast<std::uint8_t>((i * 7 + 3) % (1 << bits)));
      }
      const auto packed = PackBottomUp(indices, width, height, bits);
      ASSERT_EQ(packed.size(), PackedRowBytes(width, bits) * height);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          ASSERT_EQ(PackedIndexAt(packed, width, height, bits, x, y), indices[y * width + x])
              << bits << " bits, width " << width << ", pixel " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace card
