// Reads the headers of a Windows bitmap file, to tell whether the card can load it and draw it
// with a transparent colour (which needs a colour table).
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <cstdint>

namespace card {

struct BitmapHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative for top-down rows
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t tableEntries = 0;  // 0: no colour table
  std::uint32_t pixelOffset = 0;
};

// Fails with a sentence (without the file's name) when the bytes are not a bitmap file or its
// pixels do not fit in it.
Result<BitmapHeader> ReadBitmapHeader(ByteView bytes);

}  // namespace card
