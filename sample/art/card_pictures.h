// The card's pictures, drawn in the card palette. Each picture's top-left pixel is its
// transparent colour: the card's background colour for the card picture (snow in the picture
// and the background are one surface), an unused magenta for the others.
#pragma once

#include <vector>

#include "sample/art/scene.h"

namespace card::sample {

constexpr int kCardWidth = 630, kCardHeight = 430;
constexpr int kLogoSize = 40;

struct PixelRect {
  int left, top, right, bottom;  // right and bottom exclusive
};
// The hot spots' rectangles on the card; layout.txt gives the same numbers.
constexpr PixelRect kMoonHotSpot{510, 12, 586, 88};
constexpr PixelRect kCottageHotSpot{78, 60, 164, 110};
// The cottage's window glass, lit while the pointer is over the cottage.
constexpr Colour kWindowGlass{52, 62, 104};
constexpr Colour kWindowLit{255, 214, 96};

const std::vector<Colour>& CardPalette();
Image DrawCardBack();
Image DrawMoonAwake();  // drawn over the moon's hot spot while the pointer is on it
Image DrawLogo();

}  // namespace card::sample
