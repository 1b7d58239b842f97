// Decoding of frames through the bitmap-info blocks of their palette record.
#include "animation/fas/frame_decoder.h"

#include "animation/image/packed_pixels.h"

#include <cstdlib>
#include <string>

namespace card {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::size_t kTableEntries = (kBitmapInfoBlockSize - kInfoHeaderSize) / 4;

struct BlockHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows stored top-down
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
};

BlockHeader ReadBlockHeader(ByteView block) {
  return {*ReadI32(block, 4), *ReadI32(block, 8), *ReadU16(block, 14), *ReadU32(block, 16)};
}

Rgb TableColour(ByteView block, std::uint8_t index) {
  const std::size_t at = kInfoHeaderSize + 4u * index;  // RGBQUAD: blue, green, red, reserved
  return {block[at + 2], block[at + 1], block[at]};
}

bool SameLayout(const BlockHeader& a, const BlockHeader& b) {
  return a.width == b.width && a.height == b.height && a.bitCount == b.bitCount &&
         a.compression == b.compression;
}

}  // namespace

bool DecodedFrame::IsTransparentAt(int x, int y) const {
  const std::size_t i = static_cast<std::size_t>(y) * width + x;
  return mask[i] == Rgb{255, 255, 255} && image[i] == Rgb{0, 0, 0};
}

Result<DecodedFrame> DecodeFrame(const FasFile& fas, std::int32_t frameId) {
  const std::string what = "Card.FAS, frame " + std::to_string(frameId & 0xFFFF);
  const ByteView imageBlock(fas.ImageInfo(frameId), kBitmapInfoBlockSize);
  const ByteView maskBlock(fas.MaskInfo(frameId), kBitmapInfoBlockSize);
  const BlockHeader header = ReadBlockHeader(imageBlock);
  if (*ReadU32(imageBlock, 0) != kInfoHeaderSize || *ReadU32(maskBlock, 0) != kInfoHeaderSize ||
      !SameLayout(header, ReadBlockHeader(maskBlock))) {
    return Fail(what + ": the image and mask headers of its palette record do not match.");
  }
  if (header.compression != kUncompressed ||
      (header.bitCount != 1 && header.bitCount != 4 && header.bitCount != 8)) {
    return Fail(what + ": its palette record is not an uncompressed 1, 4 or 8-bit bitmap.");
  }
  if (header.width != fas.Width() || std::abs(header.height) != fas.Height()) {
    return Fail(what + ": its palette record describes " + std::to_string(header.width) + " x " +
                std::to_string(std::abs(header.height)) + " pixels, the file " +
                std::to_string(fas.Width()) + " x " + std::to_string(fas.Height()) + ".");
  }
  const int width = fas.Width();
  const int height = fas.Height();
  if (PackedRowBytes(width, header.bitCount) * height > fas.FrameBytes()) {
    return Fail(what + ": its pixel array is smaller than its header needs.");
  }
  const ByteView bits(fas.FrameBits(frameId), fas.FrameBytes());
  DecodedFrame frame{width, height, {}, {}};
  frame.image.reserve(static_cast<std::size_t>(width) * height);
  frame.mask.reserve(frame.image.capacity());
  for (int y = 0; y < height; ++y) {
    // A top-down array keeps row y at y; a bottom-up one stores it from the end.
    const int storedY = header.height < 0 ? height - 1 - y : y;
    for (int x = 0; x < width; ++x) {
      const std::uint8_t index = PackedIndexAt(bits, width, height, header.bitCount, x, storedY);
      if (index >= kTableEntries) {
        return Fail(what + ": pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                    ") uses colour " + std::to_string(index) + ", beyond the 16 the record has.");
      }
      frame.image.push_back(TableColour(imageBlock, index));
      frame.mask.push_back(TableColour(maskBlock, index));
    }
  }
  return frame;
}

}  // namespace card
