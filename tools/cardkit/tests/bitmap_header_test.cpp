// Bitmap headers: what the checker needs to know, and damaged files refused.
#include "animation/image/bitmap_header.h"

#include "tools/cardkit/bitmap_writer.h"
#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

#include <functional>

namespace card::kit {
namespace {

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> FourBitBitmap() {
  RgbaImage picture = test::FilledImage(6, 4, {0, 0, 0, 255});
  picture.At(3, 3) = {255, 0, 0, 255};
  return *WriteBitmap(picture, "x.png");
}

TEST(BitmapHeader, ReadsAWrittenBitmap) {
  auto header = ReadBitmapHeader(FourBitBitmap());
  ASSERT_TRUE(header) << header.error();
  EXPECT_EQ(header->width, 6);
  EXPECT_EQ(header->height, 4);
  EXPECT_EQ(header->bitsPerPixel, 4);
  EXPECT_EQ(header->tableEntries, 2u);
}

TEST(BitmapHeader, ATrueColourBitmapHasNoColourTable) {
  std::vector<std::uint8_t> bytes = FourBitBitmap();
  bytes[14 + 14] = 24;       // bits per pixel
  Put32(bytes, 14 + 32, 0);  // colours used
  bytes.resize(bytes.size() + 4 * 24);
  auto header = ReadBitmapHeader(bytes);
  ASSERT_TRUE(header) << header.error();
  EXPECT_EQ(header->tableEntries, 0u);
}

TEST(BitmapHeader, RefusesDamagedFiles) {
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    const char* says;
  };
  const Case cases[] = {
      {"empty", [](auto& b) { b.clear(); }, "not a Windows bitmap"},
      {"another signature", [](auto& b) { b[0] = 'P'; }, "not a Windows bitmap"},
      {"old core header", [](auto& b) { Put32(b, 14, 12); }, "header"},
      {"cut in the header", [](auto& b) { b.resize(30); }, "header"},
      {"table larger than its bits allow", [](auto& b) { Put32(b, 14 + 32, 17); }, "colour table"},
      {"zero width", [](auto& b) { Put32(b, 14 + 4, 0); }, "size"},
      {"rows cut off", [](auto& b) { b.resize(b.size() - 1); }, "pixels"},
      {"pixels beyond the end", [](auto& b) { Put32(b, 10, 0xFFFFFFF0); }, "pixels"},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = FourBitBitmap();
    c.damage(bytes);
    auto header = ReadBitmapHeader(bytes);
    ASSERT_FALSE(header) << c.what;
    EXPECT_NE(header.error().find(c.says), std::string::npos) << c.what << ": " << header.error();
  }
}

}  // namespace
}  // namespace card::kit
