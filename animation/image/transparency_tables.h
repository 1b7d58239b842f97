// The two colour tables that draw a paletted bitmap with one colour transparent, built from the
// bitmap's own table: the mask table (white where transparent, black elsewhere, for the SRCAND
// pass) and the colour table (black where transparent, the picture's colours elsewhere, for the
// SRCPAINT pass), optionally with one colour swapped for another.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace card {

// One colour-table entry in the platform's byte order (blue, green, red, reserved).
struct TableColour {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
  friend bool operator==(const TableColour&, const TableColour&) = default;
};

struct DrawingTables {
  std::vector<TableColour> mask;
  std::vector<TableColour> colour;
};

// Colours are 0x00BBGGRR; their top byte is ignored, and so is each entry's reserved byte.
// Every entry of the key colour becomes transparent. When swapFrom and swapTo differ, entries
// of swapFrom are drawn in swapTo, unless they are of the key colour: the key always wins.
DrawingTables BuildDrawingTables(std::span<const TableColour> saved, std::uint32_t key,
                                 std::uint32_t swapFrom, std::uint32_t swapTo);

}  // namespace card
