// Animated GIFs: decoded and replayed, each shown picture equals the one added, repeated
// pictures lengthen the one before, and only changed areas are stored.
#include "tools/cardkit/gif_writer.h"

#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

namespace card::kit {
namespace {

RgbImage Backdrop(Rgb colour) { return {40, 30, std::vector<Rgb>(40 * 30, colour)}; }

TEST(GifWriter, ReplaysThePicturesWithTheirDelaysStoringOnlyChanges) {
  const Rgb sky{120, 170, 230};
  RgbImage first = Backdrop(sky);
  RgbImage second = first;
  for (int y = 5; y < 9; ++y) {
    for (int x = 10; x < 13; ++x) second.At(x, y) = {200, 30, 30};
  }
  GifWriter writer(40, 30);
  writer.AddFrame(first, 10);
  writer.AddFrame(second, 10);
  writer.AddFrame(second, 10);  // unchanged: shown longer
  writer.AddFrame(first, 10);
  auto bytes = writer.Finish();
  ASSERT_TRUE(bytes) << bytes.error();

  const std::vector<test::ShownGifFrame> shown = test::ReplayGif(*bytes);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].picture.pixels, first.pixels);
  EXPECT_EQ(shown[1].picture.pixels, second.pixels);
  EXPECT_EQ(shown[2].picture.pixels, first.pixels);
  EXPECT_EQ(shown[0].delay, 10);
  EXPECT_EQ(shown[1].delay, 20);
  EXPECT_EQ(shown[1].areaWidth, 3);
  EXPECT_EQ(shown[1].areaHeight, 4);
}

TEST(GifWriter, PicturesWithMoreThan256ColoursAreReducedNotRefused) {
  RgbImage picture = Backdrop({});
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      picture.At(x, y) = {static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(y * 8), 50};
    }
  }
  GifWriter writer(40, 30);
  writer.AddFrame(picture, 10);
  auto bytes = writer.Finish();
  ASSERT_TRUE(bytes) << bytes.error();
  const std::vector<test::ShownGifFrame> shown = test::ReplayGif(*bytes);
  ASSERT_EQ(shown.size(), 1u);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const Rgb a = shown[0].picture.pixels[i];
    const Rgb b = picture.pixels[i];
    ASSERT_LE(std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b), 30) << i;
  }
}

TEST(GifWriter, AnAnimationWithoutPicturesIsRefused) {
  GifWriter writer(10, 10);
  EXPECT_FALSE(writer.Finish());
}

}  // namespace
}  // namespace card::kit
