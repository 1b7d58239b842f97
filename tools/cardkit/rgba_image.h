// An image as 8-bit red, green, blue and alpha per pixel, rows top to bottom: what every
// picture and frame is turned into before it is converted for the card.
#pragma once

#include "common/colour.h"

#include <cstdint>
#include <vector>

namespace card::kit {

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

inline Rgb ColourOf(const Rgba& pixel) { return {pixel.r, pixel.g, pixel.b}; }

// Pixels with alpha below this are transparent; the rest are drawn fully opaque.
constexpr std::uint8_t kOpaqueAlpha = 128;

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;  // width * height, row by row from the top

  const Rgba& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  Rgba& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// An opaque picture: what the preview composes its frames on.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width * height, row by row from the top

  const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline bool IsTransparent(const Rgba& pixel) { return pixel.a < kOpaqueAlpha; }

}  // namespace card::kit
