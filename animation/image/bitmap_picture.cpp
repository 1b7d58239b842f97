// Decoding card pictures through the same transparency tables the Windows card draws with.
#include "animation/image/bitmap_picture.h"

#include "animation/image/bitmap_header.h"
#include "animation/image/packed_pixels.h"
#include "animation/image/transparency_tables.h"

#include <cstdlib>

namespace card {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kUncompressed = 0;

struct Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  ByteView pixels;

  // The row of the stored array that holds picture row y (counted from the top), as the
  // bottom-up reading of PackedIndexAt expects it.
  int StoredRow(int y) const { return topDown ? height - 1 - y : y; }
};

std::vector<TableColour> ColourTable(ByteView file, const BitmapHeader& header) {
  const std::size_t at = kFileHeaderSize + *ReadU32(file, kFileHeaderSize);
  std::vector<TableColour> table;
  for (std::uint32_t i = 0; i < header.tableEntries; ++i) {
    const std::size_t entry = at + 4u * i;
    table.push_back({file[entry], file[entry + 1], file[entry + 2], file[entry + 3]});
  }
  return table;
}

std::uint32_t ColourRefOf(const TableColour& entry) {
  return entry.red | (entry.green << 8) | (entry.blue << 16);
}

// Indexes beyond the table read as black, as the platform draws them.
RgbaPicture DecodeIndexed(const Layout& layout, int bits, const std::vector<TableColour>& table,
                          std::uint32_t swapFrom, std::uint32_t swapTo) {
  const auto indexAt = [&](int x, int y) {
    return PackedIndexAt(layout.pixels, layout.width, layout.height, bits, x,
                         layout.StoredRow(y));
  };
  const auto entryOf = [&](const std::vector<TableColour>& colours, std::uint8_t index) {
    return index < colours.size() ? colours[index] : TableColour{};
  };
  const std::uint32_t key = ColourRefOf(entryOf(table, indexAt(0, 0)));
  const DrawingTables tables = BuildDrawingTables(table, key, swapFrom, swapTo);
  RgbaPicture picture{layout.width, layout.height, {}};
  picture.rgba.reserve(static_cast<std::size_t>(layout.width) * layout.height * 4);
  for (int y = 0; y < layout.height; ++y) {
    for (int x = 0; x < layout.width; ++x) {
      const std::uint8_t index = indexAt(x, y);
      const TableColour colour = entryOf(tables.colour, index);
      // The mask keeps the background only where the key colour is.
      const bool transparent = index < tables.mask.size() && tables.mask[index].red != 0;
      picture.rgba.insert(picture.rgba.end(),
                          {colour.red, colour.green, colour.blue,
                           static_cast<std::uint8_t>(transparent ? 0 : 255)});
    }
  }
  return picture;
}

RgbaPicture DecodeTrueColour(const Layout& layout, int bits) {
  const std::size_t rowBytes = PackedRowBytes(layout.width, bits);
  const std::size_t pixelBytes = static_cast<std::size_t>(bits / 8);
  RgbaPicture picture{layout.width, layout.height, {}};
  picture.rgba.reserve(static_cast<std::size_t>(layout.width) * layout.height * 4);
  for (int y = 0; y < layout.height; ++y) {
    const std::size_t row = rowBytes * (layout.height - 1 - layout.StoredRow(y));
    for (int x = 0; x < layout.width; ++x) {
      const std::uint8_t* bgr = layout.pixels.data() + row + pixelBytes * x;
      picture.rgba.insert(picture.rgba.end(), {bgr[2], bgr[1], bgr[0], 255});
    }
  }
  return picture;
}

}  // namespace

Result<RgbaPicture> DecodeBitmapPicture(ByteView file, std::uint32_t swapFrom,
                                        std::uint32_t swapTo) {
  auto header = ReadBitmapHeader(file);
  if (!header) return Failure{header.error()};
  if (header->compression != kUncompressed) return Fail("its pixels are compressed.");
  const int bits = header->bitsPerPixel;
  const bool indexed = bits == 1 || bits == 4 || bits == 8;
  if (!indexed && bits != 24 && bits != 32) {
    return Fail("it has " + std::to_string(bits) + " bits a pixel, which is not drawn here.");
  }
  Layout layout;
  layout.width = header->width;
  layout.height = static_cast<int>(std::abs(static_cast<std::int64_t>(header->height)));
  layout.topDown = header->height < 0;
  layout.pixels = file.subspan(header->pixelOffset);
  if (!indexed) return DecodeTrueColour(layout, bits);
  return DecodeIndexed(layout, bits, ColourTable(file, *header), swapFrom, swapTo);
}

}  // namespace card
