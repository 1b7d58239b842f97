// Test helper: assembles little-endian bytes by hand, so fixtures are written without the
// project's own writers and a misunderstanding shared by a writer and a reader cannot hide.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace card::testing {

class ByteBuilder {
 public:
  ByteBuilder& U8(std::uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  ByteBuilder& U16(std::uint16_t value) { return U8(value & 0xFF).U8(value >> 8); }
  ByteBuilder& U32(std::uint32_t value) { return U16(value & 0xFFFF).U16(value >> 16); }
  ByteBuilder& I32(std::int32_t value) { return U32(static_cast<std::uint32_t>(value)); }
  // The text and its ending NUL.
  ByteBuilder& Text(std::string_view text) {
    for (char c : text) U8(static_cast<std::uint8_t>(c));
    return U8(0);
  }

  std::size_t Size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace card::testing
