// Encodes pictures as PNG files: the starter card's art and the card window's preview.
#pragma once

#include "tools/cardkit/rgba_image.h"

#include <cstdint>
#include <vector>

namespace card::kit {

std::vector<std::uint8_t> EncodePng(const RgbaImage& image);
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

}  // namespace card::kit
