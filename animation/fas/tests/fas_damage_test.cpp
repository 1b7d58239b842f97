// Damaged Card.FAS files are refused at open with a sentence naming the first inconsistency:
// the hand-built fixture cut short inside each section, or with a count, offset or field
// changed so that something lies outside the file or could not be drawn safely.
#include "animation/fas/fas_file.h"

#include "animation/fas/tests/hand_built_fas.h"
#include "common/byte_writer.h"

#include <gtest/gtest.h>

#include <functional>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::function<void(Bytes&)> Truncate(std::size_t size) {
  return [size](Bytes& bytes) { bytes.resize(size); };
}

std::function<void(Bytes&)> Set16(std::size_t offset, std::uint16_t value) {
  return [=](Bytes& bytes) { PutU16(bytes, offset, value); };
}

std::function<void(Bytes&)> Set32(std::size_t offset, std::uint32_t value) {
  return [=](Bytes& bytes) { PutU32(bytes, offset, value); };
}

struct DamageCase {
  const char* what;
  std::function<void(Bytes&)> damage;
  const char* message;  // after "Card.FAS is damaged: "
};

TEST(FasFileDamage, RefusesEachDamageWithItsMessage) {
  const DamageCase cases[] = {
      {"empty", Truncate(0), "the header ends at byte 68 but the file has 0 bytes."},
      {"cut in the header", Truncate(40), "the header ends at byte 68 but the file has 40 bytes."},
      {"width 0", Set32(56, 0), "the frame width is 0; it must be positive."},
      {"negative width", Set32(56, 0xFFFFFFFD), "the frame width is -3; it must be positive."},
      {"height 0", Set32(60, 0), "the frame height is 0; it must be positive."},
      {"negative height", Set32(60, 0x80000000),
       "the frame height is -2147483648; it must be positive."},
      {"the widest int as width", Set32(56, 0x7FFFFFFF),
       "the frame width is 2147483647; it must be at most 4096."},
      {"height one above the bound", Set32(60, 4097),
       "the frame height is 4097; it must be at most 4096."},
      {"width beyond the records' bitmaps", Set32(56, 3),
       "the image block of palette record 0 describes a bitmap of 2 x 2 pixels, smaller than "
       "the frame's 3 x 2."},
      {"height beyond the records' bitmaps", Set32(60, 4096),
       "the image block of palette record 0 describes a bitmap of 2 x 2 pixels, smaller than "
       "the frame's 2 x 4096."},
      {"a mask bitmap narrower than the frame", Set32(276 + 104 + 4, 1),
       "the mask block of palette record 1 describes a bitmap of 1 x 2 pixels, smaller than "
       "the frame's 2 x 2."},
      {"bitmaps as wide as W but S too small for them",
       [](Bytes& b) {
         Set32(56, 16)(b);
         for (std::size_t block : {68u, 172u, 276u, 380u}) Set32(block + 4, 16)(b);
       },
       "the image block of palette record 0 describes 16 pixel bytes but each frame has 8."},
      {"cut in the palette records", Truncate(300),
       "the table of 2 palette records ends at byte 484 but the file has 300 bytes."},
      {"huge R", Set16(66, 65535),
       "the table of 65535 palette records ends at byte 13631348 but the file has 598 bytes."},
      {"cut in count A", Truncate(485),
       "the count of table A ends at byte 486 but the file has 485 bytes."},
      {"cut in table A", Truncate(488), "table A ends at byte 490 but the file has 488 bytes."},
      {"huge A", Set16(484, 65535), "table A ends at byte 262626 but the file has 598 bytes."},
      {"cut in count B", Truncate(491),
       "the count of table B ends at byte 492 but the file has 491 bytes."},
      {"cut in table B", Truncate(494), "table B ends at byte 496 but the file has 494 bytes."},
      {"huge B", Set16(490, 65535), "table B ends at byte 131562 but the file has 598 bytes."},
      {"huge entry size of table B", Set32(76, 0xFFFFFFFF),
       "table B ends at byte 8589935082 but the file has 598 bytes."},
      {"cut in the directory header", Truncate(500),
       "the script directory's header ends at byte 504 but the file has 500 bytes."},
      {"cut in the entries", Truncate(510),
       "the script directory's table of 2 entries ends at byte 520 but the file has 510 bytes."},
      {"huge N", Set32(500, 0xFFFFFFFF),
       "the script directory's table of 4294967295 entries ends at byte 34359738864 but the "
       "file has 598 bytes."},
      {"unterminated name", Truncate(521),
       "script 0's name has no ending NUL before the end of the file."},
      {"name after the end", Truncate(525),
       "script 1's name starts at byte 529 but the file has 525 bytes."},
      {"name offset past the end", Set32(504, 0xFFFFFFF0),
       "script 0's name starts at byte 4294967800 but the file has 598 bytes."},
      {"unterminated script", Truncate(537),
       "the script \"walk\" has no ending NUL before the end of the file."},
      {"script offset past the end", Set32(516, 1000),
       "the script \"walk\" starts at byte 1520 but the file has 598 bytes."},
      {"cut in the frame count", Truncate(541),
       "the frame count ends at byte 543 but the file has 541 bytes."},
      {"D0 past the end", Set32(496, 0xFFFFFFFF),
       "the frame count ends at byte 4294967795 but the file has 598 bytes."},
      {"no frames", Set32(539, 0), "it holds no frames."},
      {"cut in the keys", Truncate(550),
       "the frame key table ends at byte 553 but the file has 550 bytes."},
      {"huge F", Set32(539, 0xFFFFFFFF),
       "the frame key table ends at byte 8589935133 but the file has 598 bytes."},
      {"cut in the palette indexes", Truncate(556),
       "the frame palette-index table ends at byte 558 but the file has 556 bytes."},
      {"cut in the pixels", Truncate(597),
       "the pixel area of 5 frames ends at byte 598 but the file has 597 bytes."},
      {"huge S", Set16(64, 65535),
       "the pixel area of 5 frames ends at byte 328233 but the file has 598 bytes."},
      {"palette index equal to R", [](Bytes& b) { b[555] = 2; },
       "frame 2 (key 912) uses palette record 2 but the last one is 1."},
      {"palette index far beyond R", [](Bytes& b) { b[557] = 255; },
       "frame 4 (key 65534) uses palette record 255 but the last one is 1."},
      {"bitmap header of another size", Set32(68, 12),
       "the image block of palette record 0 has a header of 12 bytes instead of 40."},
      {"compressed mask", Set32(276 + 104 + 16, 2),
       "the mask block of palette record 1 uses compression 2; frames must be uncompressed."},
      {"no such bit count", Set16(68 + 14, 3),
       "the image block of palette record 0 has 3 bits per pixel, which no bitmap has."},
      {"more colours than the table holds", Set32(68 + 32, 256),
       "the image block of palette record 0 needs 256 colours but has room for 16."},
      {"8 bits and all colours",
       [](Bytes& b) {
         Set16(68 + 14, 8)(b);
         Set32(68 + 32, 0)(b);
       },
       "the image block of palette record 0 needs 256 colours but has room for 16."},
      {"rows wider than a frame", Set32(276 + 4, 100),
       "the image block of palette record 1 describes 104 pixel bytes but each frame has 8."},
      {"S smaller than the rows", Set16(64, 4),
       "the image block of palette record 0 describes 8 pixel bytes but each frame has 4."},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = testing::HandBuiltFas();
    c.damage(bytes);
    auto fas = FasFile::FromBytes(bytes, "Card.FAS");
    ASSERT_FALSE(fas.ok());
    EXPECT_EQ(fas.error(), std::string("Card.FAS is damaged: ") + c.message);
  }
}

// A record no frame uses is never drawn, so its blocks are not judged.
TEST(FasFileDamage, IgnoresBlocksOfUnusedRecords) {
  Bytes bytes = testing::HandBuiltFas();
  for (std::size_t i = 553; i < 558; ++i) bytes[i] = 0;  // every frame uses record 0
  Set32(276 + 16, 2)(bytes);                             // compress record 1's image block
  auto fas = FasFile::FromBytes(bytes, "Card.FAS");
  EXPECT_TRUE(fas.ok()) << fas.error();
}

}  // namespace
}  // namespace card
