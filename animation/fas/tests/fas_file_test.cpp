// FasFile lookups over the hand-built fixture: sections found at the right offsets whatever the
// counts A and B, scripts by exact name, and frames by the low 16 bits of their ids.
#include "animation/fas/fas_file.h"

#include "animation/fas/tests/hand_built_fas.h"
#include "common/tests/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace card {
namespace {

using testing::HandBuiltFas;
using testing::HandFasShape;
using testing::TempFolder;

std::unique_ptr<FasFile> Read(const std::vector<std::uint8_t>& bytes) {
  auto fas = FasFile::FromBytes(bytes, "Card.FAS");
  EXPECT_TRUE(fas.ok()) << fas.error();
  return fas.ok() ? std::move(fas.value()) : nullptr;
}

std::ptrdiff_t OffsetOf(const FasFile& fas, const void* pointer) {
  return static_cast<const std::uint8_t*>(pointer) - fas.Bytes().data();
}

TEST(FasFile, ReadsTheHeaderFields) {
  const auto bytes = HandBuiltFas();
  auto fas = Read(bytes);
  ASSERT_TRUE(fas);
  EXPECT_EQ(fas->Width(), 2);
  EXPECT_EQ(fas->Height(), 2);
  EXPECT_EQ(fas->FrameBytes(), 8);
  EXPECT_EQ(fas->PaletteRecordCount(), 2);
  EXPECT_EQ(fas->FrameCount(), 5u);
  for (std::uint32_t i = 0; i < 5; ++i) EXPECT_EQ(fas->FrameKey(i), testing::kHandKeys[i]);
}

// Where the directory starts depends on A and B: B and table B exist only when A is not 0.
TEST(FasFile, FindsTheDirectoryAfterTablesAAndB) {
  struct Case {
    HandFasShape shape;
    std::ptrdiff_t directory;
  };
  const Case cases[] = {
      {{1, 2}, 496},  // A, table A, B, two 2-byte entries of table B
      {{0, 0}, 486},  // A = 0: the directory follows the 2-byte count A
      {{1, 0}, 492},  // B = 0: the directory follows the 2-byte count B
      {{3, 1}, 502},  // 486 + 12 bytes of table A + 2 + one entry of 2
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("A = " + std::to_string(c.shape.countA) +
                 ", B = " + std::to_string(c.shape.countB));
    const auto bytes = HandBuiltFas(c.shape);
    auto fas = Read(bytes);
    ASSERT_TRUE(fas);
    EXPECT_EQ(fas->Scripts().Offset(), static_cast<std::size_t>(c.directory));
    // Area = directory + 24; "do"'s script is 3 bytes into it.
    EXPECT_EQ(OffsetOf(*fas, fas->FindScript("do")), c.directory + 27);
    EXPECT_EQ(OffsetOf(*fas, fas->FrameBits(1)), c.directory + 62);
  }
}

TEST(FasFile, FindsScriptsByTheirExactName) {
  const auto bytes = HandBuiltFas();
  auto fas = Read(bytes);
  ASSERT_TRUE(fas);
  ASSERT_NE(fas->FindScript("do"), nullptr);
  EXPECT_STREQ(fas->FindScript("do"), "1 912");
  ASSERT_NE(fas->FindScript("walk"), nullptr);
  EXPECT_STREQ(fas->FindScript("walk"), "2 -2");
  for (const char* absent : {"Do", "DO", "WALK", "Walk", "d", "dog", "walks", "", "x"}) {
    EXPECT_EQ(fas->FindScript(absent), nullptr) << absent;
  }
}

TEST(FasFile, FindFrameKeyGivesTheIndexOrTheInsertionPoint) {
  const auto bytes = HandBuiltFas();
  auto fas = Read(bytes);
  ASSERT_TRUE(fas);
  const std::pair<std::uint16_t, std::uint32_t> cases[] = {
      {0, 0},   {1, 0},     {2, 1},     {3, 2},     {912, 2},
      {913, 3}, {65531, 3}, {65533, 4}, {65534, 4}, {65535, 5},
  };
  for (auto [key, index] : cases) EXPECT_EQ(fas->FindFrameKey(key), index) << "key " << key;
}

TEST(FasFile, FrameIdsCountOnlyTheirLow16Bits) {
  const auto bytes = HandBuiltFas();
  auto fas = Read(bytes);
  ASSERT_TRUE(fas);
  const std::pair<std::int32_t, std::uint32_t> cases[] = {
      // Stored keys.
      {1, 0}, {2, 1}, {912, 2}, {65531, 3}, {65534, 4},
      // Negative ids and ids 65536 apart: -2 is key 65534, -5 key 65531.
      {-2, 4}, {-5, 3}, {912 + 65536, 2}, {912 - 65536, 2}, {2 + 3 * 65536, 1},
      // No such key: frame index 0.
      {3, 0}, {0, 0}, {913, 0}, {65535, 0}, {-1, 0}, {INT32_MIN, 0},
  };
  for (auto [id, index] : cases) {
    EXPECT_EQ(fas->FrameIndex(id), index) << "frame id " << id;
    EXPECT_EQ(OffsetOf(*fas, fas->FrameBits(id)), 558 + 8 * static_cast<std::ptrdiff_t>(index))
        << "frame id " << id;
  }
}

TEST(FasFile, FrameBitsAndBlocksComeFromTheFramesOwnRecord) {
  const auto bytes = HandBuiltFas();
  auto fas = Read(bytes);
  ASSERT_TRUE(fas);
  for (std::uint32_t i = 0; i < 5; ++i) {
    const std::int32_t id = testing::kHandKeys[i];
    const std::uint8_t* bits = fas->FrameBits(id);
    for (int byte = 0; byte < 8; ++byte) EXPECT_EQ(bits[byte], testing::HandPixel(i, byte));
    const std::ptrdiff_t record = 68 + 208 * testing::kHandPaletteIndexes[i];
    EXPECT_EQ(OffsetOf(*fas, fas->ImageInfo(id)), record);
    EXPECT_EQ(OffsetOf(*fas, fas->MaskInfo(id)), record + 104);
  }
  // An unknown id draws frame 0 with record 0.
  EXPECT_EQ(OffsetOf(*fas, fas->ImageInfo(7)), 68);
}

TEST(FasFile, AcceptsUnsortedNamesAndKeysAndStaysInside) {
  auto bytes = HandBuiltFas();
  // Swap the entries "do" and "walk", and keys 1 and 912.
  const std::uint8_t walkEntry[] = {9, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0};
  std::memcpy(&bytes[504], walkEntry, sizeof walkEntry);
  std::swap(bytes[543], bytes[547]);
  std::swap(bytes[544], bytes[548]);
  auto fas = Read(bytes);
  ASSERT_TRUE(fas);
  EXPECT_EQ(fas->Scripts().Name(0), "walk");
  EXPECT_EQ(fas->FrameKey(0), 912);
  // Binary search over [walk, do] looks at "walk" first and so never reaches "do".
  EXPECT_EQ(fas->FindScript("do"), nullptr);
  EXPECT_STREQ(fas->FindScript("walk"), "2 -2");
  for (std::int32_t id : {1, 2, 912, 65531, 65534, 5}) EXPECT_LT(fas->FrameIndex(id), 5u);
}

TEST(FasFileOpen, ReadsAFileAndNamesItWhenDamagedOrMissing) {
  TempFolder folder;
  auto bytes = testing::HandBuiltFas();
  auto fas = FasFile::Open(folder.Write("Card.FAS", bytes));
  ASSERT_TRUE(fas.ok()) << fas.error();
  EXPECT_STREQ(fas.value()->FindScript("walk"), "2 -2");

  bytes.resize(597);
  const std::string damaged = folder.Write("Cut.FAS", bytes);
  EXPECT_EQ(FasFile::Open(damaged).error(),
            damaged +
                " is damaged: the pixel area of 5 frames ends at byte 598 but the file has "
                "597 bytes.");
  EXPECT_EQ(FasFile::Open(folder.Path("Gone.FAS")).error(),
            folder.Path("Gone.FAS") + " is missing.");
}

}  // namespace
}  // namespace card
