// A colour as 8-bit red, green and blue, shared by the frame palettes, the layout's palette,
// the card's drawing and cardkit's pictures; and the 0x00BBGGRR colour values of the card's
// files and of the system, split into one.
#pragma once

#include <compare>
#include <cstdint>

namespace card {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend auto operator<=>(const Rgb&, const Rgb&) = default;
};

// The red, green and blue of a 0x00BBGGRR value; the top byte (a flag) is ignored.
constexpr Rgb RgbOf(std::uint32_t colourValue) {
  return {static_cast<std::uint8_t>(colourValue & 0xFF),
          static_cast<std::uint8_t>((colourValue >> 8) & 0xFF),
          static_cast<std::uint8_t>((colourValue >> 16) & 0xFF)};
}

}  // namespace card
