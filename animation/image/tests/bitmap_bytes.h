// Test fixture: bitmap files assembled byte by byte, so that readers are checked against the
// file format itself rather than against a writer of ours.
#pragma once

#include <cstdint>
#include <vector>

namespace card::testing {

inline void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A bitmap file with `table` (0x00BBGGRR entries) and `rows` of indexes, top row first;
// without a table the rows hold 0x00BBGGRR colours stored in 24 bits.
inline std::vector<std::uint8_t> BitmapFile(const std::vector<std::uint32_t>& table,
                                            const std::vector<std::vector<std::uint32_t>>& rows,
                                            int bits, bool topDown = false) {
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows[0].size());
  const int stride = (width * bits + 31) / 32 * 4;
  const std::uint32_t pixelsAt = 14 + 40 + static_cast<std::uint32_t>(table.size()) * 4;
  std::vector<std::uint8_t> out{'B', 'M'};
  PutLittleEndian(out, pixelsAt + stride * height, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, pixelsAt, 4);
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, width, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(topDown ? -height : height), 4);
  PutLittleEndian(out, 1, 2);
  PutLittleEndian(out, bits, 2);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, stride * height, 4);
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(table.size()), 4);
  PutLittleEndian(out, 0, 4);
  for (std::uint32_t c : table) {
    out.insert(out.end(), {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), 0});
  }
  for (int i = 0; i < height; ++i) {
    const auto& row = rows[topDown ? i : height - 1 - i];
    std::vector<std::uint8_t> packed(stride, 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = row[x];
      if (bits == 24) {
        packed[3 * x] = std::uint8_t(v >> 16);
        packed[3 * x + 1] = std::uint8_t(v >> 8);
        packed[3 * x + 2] = std::uint8_t(v);
      } else {
        const int perByte = 8 / bits;
        packed[x / perByte] |= std::uint8_t(v << (8 - bits * (x % perByte + 1)));
      }
    }
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}

}  // namespace card::testing
