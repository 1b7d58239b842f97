// Building and checking the bitmap-info blocks of palette records.
#include "animation/fas/palette_record.h"

#include "common/byte_writer.h"

#include <cstdlib>

namespace card {

namespace {

// Offsets inside a bitmap-info header.
constexpr std::size_t kSizeField = 0;
constexpr std::size_t kWidthField = 4;
constexpr std::size_t kHeightField = 8;
constexpr std::size_t kPlanesField = 12;
constexpr std::size_t kBitCountField = 14;
constexpr std::size_t kCompressionField = 16;
constexpr std::size_t kSizeImageField = 20;
constexpr std::size_t kColoursUsedField = 32;

constexpr std::uint16_t kFrameBitsPerPixel = 4;
constexpr std::uint32_t kUncompressed = 0;

// Bytes per row of `width` pixels of `bits` each, padded to whole 4-byte words.
std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bits) {
  return (width * bits + 31) / 32 * 4;
}

void WriteBlock(std::span<std::uint8_t> block, std::int32_t width, std::int32_t height,
                std::uint16_t frameBytes,
                const std::array<Rgb, kPaletteColours>& colours) {
  PutU32(block, kSizeField, kBitmapInfoHeaderSize);
  PutU32(block, kWidthField, static_cast<std::uint32_t>(width));
  // Positive height: rows are stored bottom-up.
  PutU32(block, kHeightField, static_cast<std::uint32_t>(height));
  PutU16(block, kPlanesField, 1);
  PutU16(block, kBitCountField, kFrameBitsPerPixel);
  PutU32(block, kCompressionField, kUncompressed);
  PutU32(block, kSizeImageField, frameBytes);
  PutU32(block, kColoursUsedField, kPaletteColours);
  std::size_t quad = kBitmapInfoHeaderSize;
  for (const Rgb& colour : colours) {
    block[quad] = colour.b;
    block[quad + 1] = colour.g;
    block[quad + 2] = colour.r;
    quad += 4;
  }
}

}  // namespace

std::optional<std::uint16_t> FrameBytesFor(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  const std::uint64_t bytes = RowBytes(static_cast<std::uint64_t>(width), kFrameBitsPerPixel) *
                              static_cast<std::uint64_t>(height);
  if (bytes > UINT16_MAX) return std::nullopt;
  return static_cast<std::uint16_t>(bytes);
}

Result<PaletteRecord> MakePaletteRecord(const std::array<Rgb, kPaletteColours>& colours,
                                        std::uint8_t transparentIndex, std::int32_t width,
                                        std::int32_t height) {
  if (transparentIndex >= kPaletteColours) {
    return Fail("The transparent colour " + std::to_string(transparentIndex) +
                " is not one of the 16 palette colours.");
  }
  const auto frameBytes = FrameBytesFor(width, height);
  if (!frameBytes) {
    return Fail("A frame of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels cannot be stored: each side must be positive and a frame at most "
                "65535 bytes.");
  }
  std::array<Rgb, kPaletteColours> image = colours;
  image[transparentIndex] = {};                       // black adds nothing in the colour pass
  std::array<Rgb, kPaletteColours> mask{};  // figure pixels black: cleared by the mask
  mask[transparentIndex] = {0xFF, 0xFF, 0xFF};        // white keeps the background

  PaletteRecord record{};
  const std::span<std::uint8_t> bytes(record);
  WriteBlock(bytes.first(kBitmapInfoBlockSize), width, height, *frameBytes, image);
  WriteBlock(bytes.subspan(kBitmapInfoBlockSize, kBitmapInfoBlockSize), width, height,
             *frameBytes, mask);
  return record;
}

std::optional<std::string> BitmapInfoProblem(ByteView block, const FrameShape& frame) {
  if (block.size() < kBitmapInfoBlockSize) return "is shorter than 104 bytes";
  const std::uint32_t headerSize = *ReadU32(block, kSizeField);
  if (headerSize != kBitmapInfoHeaderSize) {
    return "has a header of " + std::to_string(headerSize) + " bytes instead of 40";
  }
  const std::uint32_t compression = *ReadU32(block, kCompressionField);
  if (compression != kUncompressed) {
    return "uses compression " + std::to_string(compression) + "; frames must be uncompressed";
  }
  const std::uint16_t bits = *ReadU16(block, kBitCountField);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return "has " + std::to_string(bits) + " bits per pixel, which no bitmap has";
  }
  const std::uint32_t coloursUsed = *ReadU32(block, kColoursUsedField);
  const std::uint64_t colours = coloursUsed != 0 ? coloursUsed : bits <= 8 ? 1u << bits : 0u;
  if (colours > kPaletteColours) {
    return "needs " + std::to_string(colours) + " colours but has room for 16";
  }
  // The drawing call reads whole rows of the header's size, whatever W and H say.
  const std::uint64_t width = std::llabs(std::int64_t{*ReadI32(block, kWidthField)});
  const std::uint64_t height = std::llabs(std::int64_t{*ReadI32(block, kHeightField)});
  const std::uint64_t pixelBytes = RowBytes(width, bits) * height;
  if (pixelBytes > frame.bytes) {
    return "describes " + std::to_string(pixelBytes) + " pixel bytes but each frame has " +
           std::to_string(frame.bytes);
  }
  // The frame is drawn as the bitmap's W x H corner, which a smaller bitmap does not have.
  if (width < static_cast<std::uint64_t>(frame.width) ||
      height < static_cast<std::uint64_t>(frame.height)) {
    return "describes a bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, smaller than the frame's " + std::to_string(frame.width) + " x " +
           std::to_string(frame.height);
  }
  return std::nullopt;
}

}  // namespace card
