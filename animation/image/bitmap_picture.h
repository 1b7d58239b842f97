// A card picture decoded from the bytes of its bitmap file into red, green, blue and alpha, as
// the card draws it: every pixel of the top-left pixel's colour is transparent and, on request,
// one colour is shown as another (a hot spot's hover swap). A picture without a colour table
// is opaque. For hosts that draw pictures themselves rather than through the platform's DIBs.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <cstdint>
#include <vector>

namespace card {

struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // 4 bytes a pixel, rows from the top
};

// Decodes an uncompressed bitmap of 1, 4, 8, 24 or 32 bits per pixel. Colours are 0x00BBGGRR;
// swapFrom and swapTo that differ recolour the pixels of swapFrom (the key colour stays
// transparent). Fails with a sentence, without the file's name, for anything else.
Result<RgbaPicture> DecodeBitmapPicture(ByteView file, std::uint32_t swapFrom = 0,
                                        std::uint32_t swapTo = 0);

}  // namespace card
