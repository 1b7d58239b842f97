// PNG reading: pixels and alpha come through; other bytes are refused with the file's name.
#include "tools/cardkit/png_reader.h"

#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

namespace card::kit {
namespace {

TEST(PngReader, ReadsPixelsAndAlpha) {
  RgbaImage image = test::FilledImage(3, 2, {10, 20, 30, 255});
  image.At(2, 1) = {200, 100, 50, 0};
  const auto png = test::EncodePng(image);
  auto read = ReadPng(png, "a.png");
  ASSERT_TRUE(read) << read.error();
  EXPECT_EQ(read->width, 3);
  EXPECT_EQ(read->height, 2);
  EXPECT_EQ(read->pixels, image.pixels);
}

TEST(PngReader, RefusesWhatIsNotAUsablePng) {
  const std::vector<std::uint8_t> notPng = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
  auto truncated = test::EncodePng(test::FilledImage(4, 4, {1, 2, 3, 255}));
  truncated.resize(truncated.size() / 2);
  const auto huge = test::EncodePng(test::FilledImage(kMaxPngSide + 1, 1, {0, 0, 0, 255}));
  for (const auto& bytes : {std::vector<std::uint8_t>{}, notPng, truncated, huge}) {
    auto read = ReadPng(bytes, "frames/walk/3.png");
    ASSERT_FALSE(read);
    EXPECT_NE(read.error().find("frames/walk/3.png"), std::string::npos) << read.error();
  }
}

}  // namespace
}  // namespace card::kit
