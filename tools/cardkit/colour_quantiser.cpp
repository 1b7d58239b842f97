// Palette choice through libimagequant, with a lossless path for few colours.
#include "tools/cardkit/colour_quantiser.h"

#include <libimagequant.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

namespace card::kit {
namespace {

struct LiqDeleter {
  void operator()(liq_attr* p) const { liq_attr_destroy(p); }
  void operator()(liq_histogram* p) const { liq_histogram_destroy(p); }
  void operator()(liq_result* p) const { liq_result_destroy(p); }
};
template <class T>
using LiqPtr = std::unique_ptr<T, LiqDeleter>;

std::vector<Rgb> MostFrequentFirst(const ColourHistogram& histogram) {
  std::vector<std::pair<Rgb, std::uint32_t>> entries(histogram.begin(), histogram.end());
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<Rgb> colours;
  for (const auto& [colour, count] : entries) colours.push_back(colour);
  return colours;
}

}  // namespace

void CountOpaqueColours(const RgbaImage& image, ColourHistogram& histogram) {
  for (const Rgba& pixel : image.pixels) {
    if (!IsTransparent(pixel)) ++histogram[ColourOf(pixel)];
  }
}

Result<std::vector<Rgb>> ChoosePalette(const ColourHistogram& histogram, int maxColours,
                                       int minQuality) {
  if (histogram.size() <= static_cast<std::size_t>(maxColours)) return MostFrequentFirst(histogram);

  LiqPtr<liq_attr> attr(liq_attr_create());
  if (!attr || liq_set_max_colors(attr.get(), maxColours) != LIQ_OK ||
      liq_set_quality(attr.get(), minQuality, 100) != LIQ_OK) {
    return Fail("The colour quantiser cannot be set up.");
  }
  LiqPtr<liq_histogram> liqHistogram(liq_histogram_create(attr.get()));
  std::vector<liq_histogram_entry> entries;
  for (const auto& [colour, count] : histogram) {
    entries.push_back({{colour.r, colour.g, colour.b, 255}, count});
  }
  if (!liqHistogram || liq_histogram_add_colors(liqHistogram.get(), attr.get(), entries.data(),
                                                static_cast<int>(entries.size()), 0) != LIQ_OK) {
    return Fail("The colour quantiser cannot take the colours.");
  }
  liq_result* raw = nullptr;
  const liq_error error = liq_histogram_quantize(liqHistogram.get(), attr.get(), &raw);
  LiqPtr<liq_result> result(raw);
  if (error == LIQ_QUALITY_TOO_LOW) {
    return Fail("The colours cannot be reduced to " + std::to_string(maxColours) +
                " with quality " + std::to_string(minQuality) + ".");
  }
  if (error != LIQ_OK || !result) return Fail("The colour quantiser failed.");

  const liq_palette* palette = liq_get_palette(result.get());
  std::vector<Rgb> colours;
  for (unsigned i = 0; i < palette->count; ++i) {
    const liq_color& c = palette->entries[i];
    const Rgb colour{c.r, c.g, c.b};
    if (std::find(colours.begin(), colours.end(), colour) == colours.end()) {
      colours.push_back(colour);
    }
  }
  return colours;
}

std::size_t NearestColour(const std::vector<Rgb>& palette, Rgb colour) {
  std::size_t best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int dr = palette[i].r - colour.r;
    const int dg = palette[i].g - colour.g;
    const int db = palette[i].b - colour.b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace card::kit
