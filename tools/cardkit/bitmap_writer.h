// Turns a picture into a paletted Windows bitmap file, which the card draws with the colour of
// its top-left pixel transparent. The key colour gets palette entry 0 and no other entry has it,
// so exactly the pixels meant to be transparent are.
#pragma once

#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace card::kit {

// Used as the key colour of a picture with transparent pixels, unless the picture uses it.
constexpr Rgb kPreferredKeyColour{255, 0, 255};

// The bytes of a .bmp file: 4 bits per pixel when the picture has at most 16 colours (the key
// included), else 8 bits, with up to 255 colours chosen by the quantiser beside the key.
// Pixels with alpha below half become the key colour; the top-left pixel must then be one of
// them. Without transparent pixels the top-left pixel's colour is the key as it stands.
Result<std::vector<std::uint8_t>> WriteBitmap(const RgbaImage& picture, std::string_view name);

}  // namespace card::kit
