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

// The frame every block of a file draws: its drawing size W x H and its S pixel bytes.
struct FrameShape {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bytes = 0;
};

// Why the drawing call, given this block, could not draw a frame of that shape from its pixel
// bytes alone (uncompressed pixels whose rows need more bytes, more colours than the block
// holds, a header of another size, a bitmap smaller than W x H); nothing when it can.
std::optional<std::string> BitmapInfoProblem(ByteView block, const FrameShape& frame);

}  // namespace card
