// Bitmap header reading with every field checked against the end of the file.
#include "animation/image/bitmap_header.h"

#include "animation/image/packed_pixels.h"

#include <cstdlib>
#include <string>

namespace card {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // the old OS/2 header has no colour-count field
constexpr std::uint32_t kUncompressed = 0;

}  // namespace

Result<BitmapHeader> ReadBitmapHeader(ByteView bytes) {
  if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
    return Fail("it is not a Windows bitmap file.");
  }
  const std::uint32_t infoSize = *ReadU32(bytes, kFileHeaderSize);
  if (infoSize == kCoreHeaderSize || infoSize < 40 ||
      !FitsIn(bytes.size(), kFileHeaderSize, infoSize)) {
    return Fail("its header is of a kind the card cannot read.");
  }
  BitmapHeader header;
  header.pixelOffset = *ReadU32(bytes, 10);
  header.width = *ReadI32(bytes, kFileHeaderSize + 4);
  header.height = *ReadI32(bytes, kFileHeaderSize + 8);
  header.bitsPerPixel = *ReadU16(bytes, kFileHeaderSize + 14);
  header.compression = *ReadU32(bytes, kFileHeaderSize + 16);
  const std::uint32_t coloursUsed = *ReadU32(bytes, kFileHeaderSize + 32);
  if (header.width <= 0 || header.height == 0 || header.width > 65535 ||
      std::abs(static_cast<std::int64_t>(header.height)) > 65535) {
    return Fail("its size is not valid.");
  }
  if (header.bitsPerPixel <= 8) {
    header.tableEntries = coloursUsed != 0 ? coloursUsed : 1u << header.bitsPerPixel;
    if (header.tableEntries > (1u << header.bitsPerPixel) ||
        !FitsIn(bytes.size(), kFileHeaderSize + infoSize, header.tableEntries * 4ull)) {
      return Fail("its colour table does not fit.");
    }
  }
  if (header.compression == kUncompressed) {
    const std::uint64_t pixelBytes =
        static_cast<std::uint64_t>(PackedRowBytes(header.width, header.bitsPerPixel)) *
        static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(header.height)));
    if (!FitsIn(bytes.size(), header.pixelOffset, pixelBytes)) {
      return Fail("its pixels do not fit in the file.");
    }
  }
  return header;
}

}  // namespace card
