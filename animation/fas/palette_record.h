// Palette records of Card.FAS. A record is two bitmap-info blocks over the same frame pixels:
// the image block (the figure's colours, transparent pixels black) and the mask block
// (transparent pixels white, figure pixels black). Each block is a 40-byte bitmap-info header
// followed by a 16-entry colour table of (blue, green, red, 0) quads. Here: building a record
// for 4-bit frames, and checking that a stored block cannot make the drawing call read beyond
// one frame's pixels or beyond its own colour table.
#pragma once

#include "common/byte_reader.h"
#include "common/colour.h"
#include "common/result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace card {

constexpr std::size_t kPaletteRecordSize = 208;
constexpr std::size_t kBitmapInfoBlockSize = 104;  // header + 16 colour quads
constexpr std::size_t kBitmapInfoHeaderSize = 40;
constexpr std::size_t kPaletteColours = 16;

using PaletteRecord = std::array<std::uint8_t, kPaletteRecordSize>;

// S for a frame of 4-bit pixels whose rows are padded to whole 4-byte words; nothing when a
// side is not positive or the frame needs more than 65535 bytes.
std::optional<std::uint16_t> FrameBytesFor(std::int32_t width, std::int32_t height);

// The record for 4-bit bottom-up frames of width x height drawn with `colours`, where colour
// `transparentIndex` is see-through.
Result<PaletteRecord> MakePaletteRecord(const std::array<Rgb, kPaletteColours>& colours,
                                        std::uint8_t transparentIndex, std::int32_t width,
                                        std::int32_t height);

// Why the drawing call, given this block and a frame of `frameBytes` pixel bytes, would read
// outside them (uncompressed pixels whose rows need more bytes, more colours than the block
// holds, a header of another size); nothing when the block is safe to draw with.
std::optional<std::string> BitmapInfoProblem(ByteView block, std::uint16_t frameBytes);

}  // namespace card
