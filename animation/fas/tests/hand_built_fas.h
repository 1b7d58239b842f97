// Test fixture: a small Card.FAS assembled byte by byte. Frames are 2 x 2 pixels, 8 bytes each
// (two 4-bit rows padded to 4 bytes); two palette records; keys 1, 2, 912, 65531, 65534 using
// records 0, 1, 0, 1, 0; scripts "do" = "1 912" and "walk" = "2 -2". With the default shape
// (A = 1, B = 2) the layout is:
//     0 header words 0x1000 + i     56 W = 2, H = 2     64 S = 8, R = 2
//    68 record 0 (transparent colour 0)    276 record 1 (transparent colour 15)
//   484 A = 1    486 table A    490 B = 2    492 table B (2 entries of Hr = 2 bytes)
//   496 directory: D0 = 43, N = 2, entries    520 area: "do" 520, its script 523,
//       "walk" 529, its script 534
//   539 F = 5    543 keys    553 palette indexes    558 pixels (frame i: bytes 16i + j)
//   598 end
// With A = 0 the directory starts 12 bytes earlier (486); with A = 1, B = 0 4 bytes earlier.
#pragma once

#include "common/tests/byte_builder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace card::testing {

struct HandFasShape {
  std::uint16_t countA = 1;
  std::uint16_t countB = 2;
};

inline constexpr std::array<std::uint16_t, 5> kHandKeys = {1, 2, 912, 65531, 65534};
inline constexpr std::array<std::uint8_t, 5> kHandPaletteIndexes = {0, 1, 0, 1, 0};
inline constexpr std::array<std::uint8_t, 2> kHandTransparent = {0, 15};

// Colour i of both records: red 17i, green 255 - 17i, blue 3i.
inline std::uint8_t HandRed(int i) { return static_cast<std::uint8_t>(17 * i); }
inline std::uint8_t HandGreen(int i) { return static_cast<std::uint8_t>(255 - 17 * i); }
inline std::uint8_t HandBlue(int i) { return static_cast<std::uint8_t>(3 * i); }

inline std::uint8_t HandPixel(int frame, int byte) {
  return static_cast<std::uint8_t>(16 * frame + byte);
}

inline void AppendHandBlock(ByteBuilder& out, bool mask, int transparent) {
  // biSize, biWidth, biHeight, biPlanes, biBitCount, biCompression, biSizeImage,
  // biXPelsPerMeter, biYPelsPerMeter, biClrUsed, biClrImportant
  out.U32(40).I32(2).I32(2).U16(1).U16(4).U32(0).U32(8).U32(0).U32(0).U32(16).U32(0);
  for (int i = 0; i < 16; ++i) {
    if (mask) {
      const std::uint8_t level = i == transparent ? 0xFF : 0x00;
      out.U8(level).U8(level).U8(level).U8(0);
    } else if (i == transparent) {
      out.U32(0);
    } else {
      out.U8(HandBlue(i)).U8(HandGreen(i)).U8(HandRed(i)).U8(0);
    }
  }
}

inline std::vector<std::uint8_t> HandBuiltRecord(int transparent) {
  ByteBuilder out;
  AppendHandBlock(out, false, transparent);
  AppendHandBlock(out, true, transparent);
  return out.Bytes();
}

inline std::vector<std::uint8_t> HandBuiltFas(HandFasShape shape = {}) {
  ByteBuilder out;
  for (std::uint32_t word = 0; word < 14; ++word) out.U32(0x1000 + word);
  out.I32(2).I32(2).U16(8).U16(2);
  for (int transparent : kHandTransparent) {
    AppendHandBlock(out, false, transparent);
    AppendHandBlock(out, true, transparent);
  }
  out.U16(shape.countA);
  for (std::uint16_t i = 0; i < shape.countA; ++i) out.U32(0xA0A0A000u + i);
  if (shape.countA != 0) {
    out.U16(shape.countB);
    for (std::uint16_t i = 0; i < shape.countB; ++i) out.U8(0xB0).U8(static_cast<std::uint8_t>(i));
  }
  // Directory: D0 = 8 + 16 + 19 bytes of names and scripts.
  out.U32(43).U32(2);
  out.U32(0).U32(3);   // "do" at area + 0, its script at area + 3
  out.U32(9).U32(14);  // "walk" at area + 9, its script at area + 14
  out.Text("do").Text("1 912").Text("walk").Text("2 -2");
  out.U32(5);
  for (std::uint16_t key : kHandKeys) out.U16(key);
  for (std::uint8_t index : kHandPaletteIndexes) out.U8(index);
  for (int frame = 0; frame < 5; ++frame) {
    for (int byte = 0; byte < 8; ++byte) out.U8(HandPixel(frame, byte));
  }
  return out.Bytes();
}

}  // namespace card::testing
