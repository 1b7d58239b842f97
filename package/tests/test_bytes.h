// Bytes for package tests: text as bytes, and noise that deflate cannot shrink.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace card::test {

inline std::vector<std::uint8_t> BytesOf(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The same `size` bytes for the same `seed`, from a linear congruential generator.
inline std::vector<std::uint8_t> Noise(std::size_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = seed;
  for (auto& byte : bytes) {
    state = state * 1103515245 + 12345;
    byte = static_cast<std::uint8_t>(state >> 23);
  }
  return bytes;
}

}  // namespace card::test
