// One clickable rectangle of the card window: what it opens, how it shows that the pointer is
// over it (a hover image, or one colour of the card's pictures swapped for another) and whether
// the pointer is over it now. The card window keeps the flag; the pictures read it when drawn.
#pragma once

#include "common/geometry.h"

#include <cstdint>
#include <string>

namespace card {

struct HotSpot {
  bool hover = false;            // the pointer is inside `rect`
  std::uint32_t toColour = 0;    // 0x00BBGGRR shown instead of fromColour while hovered
  std::uint32_t fromColour = 0;  // 0x00BBGGRR of the card's pictures
  std::string target;            // opened when the rectangle is clicked
  std::string hoverImage;        // bitmap shown at the rectangle's corner; empty for none
  Rect rect;                     // card-window client pixels
};

}  // namespace card
