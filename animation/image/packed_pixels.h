// Palette-indexed pixel arrays as device-independent bitmaps store them: 1, 4 or 8 bits per
// pixel, the high bits first, rows bottom-up and each row padded to a multiple of 4 bytes.
#pragma once

#include "common/byte_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace card {

// Bytes of one stored row of `width` pixels.
std::size_t PackedRowBytes(int width, int bitsPerPixel);

// Packs `indices` (width * height, rows from the top) bottom-up. `bitsPerPixel` is 1, 4 or 8
// and every index must fit in it.
std::vector<std::uint8_t> PackBottomUp(const std::vector<std::uint8_t>& indices, int width,
                                       int height, int bitsPerPixel);

// The palette index of pixel (x, y), y counted from the top, in a bottom-up array of that
// layout; the caller has checked that the array is large enough.
std::uint8_t PackedIndexAt(ByteView packed, int width, int height, int bitsPerPixel, int x, int y);

}  // namespace card
