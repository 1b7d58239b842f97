// Builds the mask and colour tables of transparent drawing.
#include "animation/image/transparency_tables.h"

#include "common/colour.h"

namespace card {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

bool SameRgb(const TableColour& entry, std::uint32_t colour) {
  const std::uint32_t rgb = entry.red | (entry.green << 8) | (entry.blue << 16);
  return rgb == (colour & kRgbMask);
}

TableColour FromColourRef(std::uint32_t colour) {
  const Rgb rgb = RgbOf(colour);
  return {rgb.b, rgb.g, rgb.r, 0};
}

constexpr TableColour kWhite{255, 255, 255, 0};
constexpr TableColour kBlack{0, 0, 0, 0};

}  // namespace

DrawingTables BuildDrawingTables(std::span<const TableColour> saved, std::uint32_t key,
                                 std::uint32_t swapFrom, std::uint32_t swapTo) {
  const bool swapping = (swapFrom & kRgbMask) != (swapTo & kRgbMask);
  DrawingTables tables;
  tables.mask.reserve(saved.size());
  tables.colour.reserve(saved.size());
  for (const TableColour& entry : saved) {
    if (SameRgb(entry, key)) {
      tables.mask.push_back(kWhite);
      tables.colour.push_back(kBlack);
    } else if (swapping && SameRgb(entry, swapFrom)) {
      tables.mask.push_back(kBlack);
      tables.colour.push_back(FromColourRef(swapTo));
    } else {
      tables.mask.push_back(kBlack);
      tables.colour.push_back(entry);
    }
  }
  return tables;
}

}  // namespace card
