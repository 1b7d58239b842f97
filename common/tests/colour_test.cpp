// Splitting 0x00BBGGRR colour values: the low byte is red, the top byte is ignored.
#include "common/colour.h"

#include <gtest/gtest.h>

namespace card {
namespace {

TEST(RgbOf, SplitsTheValueIntoRedGreenBlue) {
  const struct {
    std::uint32_t value;
    std::uint8_t red, green, blue;
  } cases[] = {
      {255, 255, 0, 0},
      {65280, 0, 255, 0},
      {16711680, 0, 0, 255},
      {0xFF123456, 0x56, 0x34, 0x12},
  };
  for (const auto& c : cases) {
    const Rgb colour = RgbOf(c.value);
    EXPECT_EQ(colour.r, c.red) << c.value;
    EXPECT_EQ(colour.g, c.green) << c.value;
    EXPECT_EQ(colour.b, c.blue) << c.value;
  }
}

}  // namespace
}  // namespace card
