// Palette records made for the authoring tool: the exact bytes of both blocks, the frame size
// S of 4-bit rows padded to 4 bytes, and the inputs that cannot make a record.
#include "animation/fas/palette_record.h"

#include "animation/fas/tests/hand_built_fas.h"

#include <gtest/gtest.h>

namespace card {
namespace {

std::array<Rgb, kPaletteColours> HandColours() {
  std::array<Rgb, kPaletteColours> colours;
  for (int i = 0; i < 16; ++i) {
    colours[i] = {testing::HandRed(i), testing::HandGreen(i), testing::HandBlue(i)};
  }
  return colours;
}

TEST(PaletteRecord, MatchesTheHandBuiltRecords) {
  for (int transparent : {0, 15, 7}) {
    SCOPED_TRACE(transparent);
    auto record = MakePaletteRecord(HandColours(), static_cast<std::uint8_t>(transparent), 2, 2);
    ASSERT_TRUE(record.ok()) << record.error();
    const auto expected = testing::HandBuiltRecord(transparent);
    EXPECT_EQ(std::vector<std::uint8_t>(record->begin(), record->end()), expected);
  }
}

TEST(PaletteRecord, DescribesFramesOfItsSize) {
  auto record = MakePaletteRecord(HandColours(), 3, 96, 90);
  ASSERT_TRUE(record.ok()) << record.error();
  const ByteView image(record->data(), kBitmapInfoBlockSize);
  const ByteView mask(record->data() + kBitmapInfoBlockSize, kBitmapInfoBlockSize);
  for (ByteView block : {image, mask}) {
    EXPECT_EQ(ReadI32(block, 4), 96);
    EXPECT_EQ(ReadI32(block, 8), 90);  // positive: bottom-up rows
    EXPECT_EQ(ReadU32(block, 20), 48u * 90);
    EXPECT_FALSE(BitmapInfoProblem(block, {96, 90, 48 * 90}));
    EXPECT_TRUE(BitmapInfoProblem(block, {96, 90, 48 * 90 - 1}));
    EXPECT_TRUE(BitmapInfoProblem(block, {97, 90, 48 * 90}));
    EXPECT_TRUE(BitmapInfoProblem(block, {96, 91, 48 * 90}));
  }
}

TEST(PaletteRecord, RefusesWhatCannotBeStored) {
  EXPECT_FALSE(MakePaletteRecord(HandColours(), 16, 2, 2).ok());
  EXPECT_FALSE(MakePaletteRecord(HandColours(), 0, 0, 2).ok());
  EXPECT_FALSE(MakePaletteRecord(HandColours(), 0, 2, -1).ok());
  EXPECT_FALSE(MakePaletteRecord(HandColours(), 0, 1000, 1000).ok());
}

TEST(FrameBytesFor, PadsEachRowOfFourBitPixelsToFourBytes) {
  struct Case {
    std::int32_t width, height;
    std::optional<std::uint16_t> bytes;
  };
  const Case cases[] = {
      {1, 1, 4},
      {8, 1, 4},
      {9, 1, 8},
      {2, 2, 8},
      {96, 96, 4608},
      {97, 3, 156},
      {1, 16383, 65532},
      {8, 16384, std::nullopt},
      {0, 5, std::nullopt},
      {5, 0, std::nullopt},
      {-8, 2, std::nullopt},
      {INT32_MAX, INT32_MAX, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FrameBytesFor(c.width, c.height), c.bytes) << c.width << " x " << c.height;
  }
}

}  // namespace
}  // namespace card
