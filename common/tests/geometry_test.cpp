#include "common/byte_reader.h"
#include "common/geometry.h"

#include <gtest/gtest.h>

#include <array>

namespace card {
namespace {

TEST(Intersect, OverlapAndDisjointAndTouching) {
  EXPECT_EQ(Intersect({0, 0, 10, 10}, {5, 5, 20, 20}), (Rect{5, 5, 10, 10}));
  EXPECT_EQ(Intersect({0, 0, 10, 10}, {10, 0, 20, 10}), Rect{});  // right edge is exclusive
  EXPECT_EQ(Intersect({0, 0, 10, 10}, {-5, 3, 30, 4}), (Rect{0, 3, 10, 4}));
}

TEST(ByteReader, RefusesReadsPastTheEnd) {
  const std::array<std::uint8_t, 6> bytes{0x78, 0x56, 0x34, 0x12, 'a', 0};
  EXPECT_EQ(ReadU32(bytes, 0), 0x12345678u);
  EXPECT_EQ(ReadU16(bytes, 1), 0x3456u);
  EXPECT_FALSE(ReadU32(bytes, 3));
  EXPECT_FALSE(ReadU16(bytes, 5));
  EXPECT_EQ(ReadCString(bytes, 4), "a");
  EXPECT_FALSE(ReadCString(bytes, 6));
  const std::array<std::uint8_t, 2> unterminated{'a', 'b'};
  EXPECT_FALSE(ReadCString(unterminated, 0));
  EXPECT_FALSE(FitsIn(10, 8, UINT64_MAX));  // no overflow
}

}  // namespace
}  // namespace card
