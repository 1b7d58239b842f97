// Bitmap files for drawing tests, assembled byte by byte so that the reader under test is
// checked against the file format itself.
#pragma once

#include "common/byte_writer.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace card::test {

inline RGBQUAD Quad(COLORREF c, BYTE reserved = 0) {
  return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), reserved};
}

// A bitmap file: 8 bits per pixel with `table` when it is not empty (`pixels` then hold table
// indexes), otherwise 24 bits per pixel (`pixels` hold colours). Rows are given top to bottom.
inline std::vector<std::uint8_t> BitmapFile(const std::vector<RGBQUAD>& table,
                                            const std::vector<std::vector<std::uint32_t>>& pixels) {
  const int height = static_cast<int>(pixels.size());
  const int width = static_cast<int>(pixels[0].size());
  const int bits = table.empty() ? 24 : 8;
  const int stride = (width * bits + 31) / 32 * 4;
  const std::uint32_t offBits = 14 + 40 + static_cast<std::uint32_t>(table.size()) * 4;
  std::vector<std::uint8_t> out{'B', 'M'};
  AppendU32(out, offBits + static_cast<std::uint32_t>(stride * height));
  AppendU32(out, 0);
  AppendU32(out, offBits);
  AppendU32(out, 40);
  AppendU32(out, static_cast<std::uint32_t>(width));
  AppendU32(out, static_cast<std::uint32_t>(height));  // bottom-up
  AppendU16(out, 1);
  AppendU16(out, static_cast<std::uint16_t>(bits));
  AppendU32(out, BI_RGB);
  AppendU32(out, static_cast<std::uint32_t>(stride * height));
  AppendU32(out, 2835);
  AppendU32(out, 2835);
  AppendU32(out, static_cast<std::uint32_t>(table.size()));
  AppendU32(out, 0);
  for (const RGBQUAD& q : table) {
    out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved});
  }
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (std::uint32_t p : pixels[y]) {
      if (bits == 8) {
        out.push_back(static_cast<std::uint8_t>(p));
      } else {
        out.insert(out.end(), {GetBValue(p), GetGValue(p), GetRValue(p)});
      }
    }
    out.resize(rowStart + stride, 0);
  }
  return out;
}

}  // namespace card::test
