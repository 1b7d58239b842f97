// Reads PNG pictures and frames into RGBA pixels.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <string_view>

namespace card::kit {

// Larger pictures are refused: nothing on a card comes near this, and it keeps a damaged or
// hostile header from asking for gigabytes.
constexpr int kMaxPngSide = 4096;

// Decodes PNG bytes; `name` names the file in the message when they are not a usable PNG.
Result<RgbaImage> ReadPng(ByteView bytes, std::string_view name);

}  // namespace card::kit
