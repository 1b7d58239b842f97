// Chooses a small palette for a set of colours and maps colours onto it. Wraps the image
// quantiser the tool uses so frames and pictures are reduced the same way.
#pragma once

#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <cstdint>
#include <map>
#include <vector>

namespace card::kit {

// How often each opaque colour occurs.
using ColourHistogram = std::map<Rgb, std::uint32_t>;

// Adds the opaque pixels of `image` to `histogram`.
void CountOpaqueColours(const RgbaImage& image, ColourHistogram& histogram);

// At most `maxColours` colours that stand for the histogram's colours. When the histogram has
// no more colours than that, they are returned exactly, most frequent first. Otherwise the
// quantiser chooses them; it fails when it cannot reach `minQuality` (0-100).
Result<std::vector<Rgb>> ChoosePalette(const ColourHistogram& histogram, int maxColours,
                                       int minQuality);

// The index of the palette colour closest to `colour` (squared RGB distance, first on ties).
std::size_t NearestColour(const std::vector<Rgb>& palette, Rgb colour);

}  // namespace card::kit
