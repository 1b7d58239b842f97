// Little-endian writes, the counterpart of byte_reader.h for the content-file writers: appends
// to a growing buffer, or a store into bytes already laid out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace card {

inline void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

// Four-character tags and other raw text, without a NUL.
inline void AppendText(std::vector<std::uint8_t>& out, std::string_view text) {
  // Byte by byte: a range insert here trips GCC 12's false -Wstringop-overflow when optimising.
  for (char c : text) out.push_back(static_cast<std::uint8_t>(c));
}

// Stores at `offset`, which the caller has made room for.
inline void PutU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace card
