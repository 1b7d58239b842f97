// Paletted bitmap writing: key colour choice, palette, packed rows, file and info headers.
#include "tools/cardkit/bitmap_writer.h"

#include "common/byte_writer.h"
#include "tools/cardkit/colour_quantiser.h"
#include "animation/image/packed_pixels.h"

#include <algorithm>
#include <optional>
#include <string>

namespace card::kit {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

bool HasTransparentPixel(const RgbaImage& picture) {
  return std::any_of(picture.pixels.begin(), picture.pixels.end(), IsTransparent);
}

std::optional<Rgb> UnusedColour(const ColourHistogram& used) {
  if (!used.contains(kPreferredKeyColour)) return kPreferredKeyColour;
  for (int value = 0; value < 1 << 24; ++value) {
    const Rgb colour{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                     static_cast<std::uint8_t>(value)};
    if (!used.contains(colour)) return colour;
  }
  return std::nullopt;
}

// A quantised colour equal to the key would make its pixels transparent; move it one step.
void KeepKeyUnique(std::vector<Rgb>& colours, Rgb key) {
  for (Rgb& colour : colours) {
    if (colour == key) colour.b = static_cast<std::uint8_t>(colour.b ^ 1);
  }
}

std::vector<std::uint8_t> BitmapFile(const RgbaImage& picture, const std::vector<Rgb>& table,
                                     const std::vector<std::uint8_t>& indices) {
  const int bits = table.size() <= 16 ? 4 : 8;
  const std::vector<std::uint8_t> rows = PackBottomUp(indices, picture.width, picture.height, bits);
  const auto tableBytes = static_cast<std::uint32_t>(table.size() * 4);
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + tableBytes;
  std::vector<std::uint8_t> out;
  out.reserve(pixelOffset + rows.size());
  AppendText(out, "BM");
  AppendU32(out, pixelOffset + static_cast<std::uint32_t>(rows.size()));
  AppendU32(out, 0);  // two reserved words
  AppendU32(out, pixelOffset);
  AppendU32(out, kInfoHeaderSize);
  AppendU32(out, static_cast<std::uint32_t>(picture.width));
  AppendU32(out, static_cast<std::uint32_t>(picture.height));  // positive: bottom-up rows
  AppendU16(out, 1);                                           // planes
  AppendU16(out, static_cast<std::uint16_t>(bits));
  AppendU32(out, 0);  // uncompressed
  AppendU32(out, static_cast<std::uint32_t>(rows.size()));
  AppendU32(out, kPixelsPerMetre);
  AppendU32(out, kPixelsPerMetre);
  AppendU32(out, static_cast<std::uint32_t>(table.size()));  // colours used
  AppendU32(out, 0);                                         // all important
  for (const Rgb& colour : table) {
    out.insert(out.end(), {colour.b, colour.g, colour.r, 0});
  }
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

}  // namespace

Result<std::vector<std::uint8_t>> WriteBitmap(const RgbaImage& picture, std::string_view name) {
  const std::string where(name);
  if (picture.width <= 0 || picture.height <= 0) return Fail(where + " has no pixels.");
  const bool transparent = HasTransparentPixel(picture);
  if (transparent && !IsTransparent(picture.At(0, 0))) {
    return Fail(where +
                " has transparent pixels but an opaque top-left pixel; the card takes "
                "the top-left pixel's colour as the transparent one, so make it transparent too.");
  }
  ColourHistogram histogram;
  CountOpaqueColours(picture, histogram);
  Rgb key = ColourOf(picture.At(0, 0));
  if (transparent) {
    auto unused = UnusedColour(histogram);
    if (!unused) return Fail(where + " uses every colour; none is left for transparency.");
    key = *unused;
  }
  // The key's own pixels keep entry 0; only the other colours are counted for the palette.
  histogram.erase(key);
  auto colours = ChoosePalette(histogram, 255, 0);
  if (!colours) return Fail(where + ": " + colours.error());
  KeepKeyUnique(*colours, key);

  std::vector<Rgb> table{key};
  table.insert(table.end(), colours->begin(), colours->end());
  std::vector<std::uint8_t> indices(picture.pixels.size(), 0);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const Rgba& pixel = picture.pixels[i];
    if (IsTransparent(pixel) || ColourOf(pixel) == key) continue;
    indices[i] = static_cast<std::uint8_t>(1 + NearestColour(*colours, ColourOf(pixel)));
  }
  return BitmapFile(picture, table, indices);
}

}  // namespace card::kit
