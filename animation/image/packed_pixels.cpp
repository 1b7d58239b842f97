// Packing and unpacking of bottom-up, row-padded index arrays.
#include "animation/image/packed_pixels.h"

namespace card {

std::size_t PackedRowBytes(int width, int bitsPerPixel) {
  return (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

std::vector<std::uint8_t> PackBottomUp(const std::vector<std::uint8_t>& indices, int width,
                                       int height, int bitsPerPixel) {
  const std::size_t rowBytes = PackedRowBytes(width, bitsPerPixel);
  const int perByte = 8 / bitsPerPixel;
  std::vector<std::uint8_t> packed(rowBytes * height, 0);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = packed.data() + rowBytes * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const int shift = 8 - bitsPerPixel * (x % perByte + 1);
      row[x / perByte] |=
          static_cast<std::uint8_t>(indices[static_cast<std::size_t>(y) * width + x] << shift);
    }
  }
  return packed;
}

std::uint8_t PackedIndexAt(ByteView packed, int width, int height, int bitsPerPixel, int x, int y) {
  const std::size_t rowBytes = PackedRowBytes(width, bitsPerPixel);
  const int perByte = 8 / bitsPerPixel;
  const std::uint8_t byte = packed[rowBytes * (height - 1 - y) + x / perByte];
  const int shift = 8 - bitsPerPixel * (x % perByte + 1);
  return static_cast<std::uint8_t>((byte >> shift) & ((1 << bitsPerPixel) - 1));
}

}  // namespace card
