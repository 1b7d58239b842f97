// Which parts of a card picture the hovered hot spots recolour: each hovered hot spot with a
// colour swap (and no hover image of its own) redraws its overlap with the picture.
#pragma once

#include "shell/hot_spot.h"
#include "common/geometry.h"

#include <cstdint>
#include <span>
#include <vector>

namespace card {

struct HoverRecolour {
  Rect target;   // where to redraw, in the picture's surface coordinates
  Point source;  // the matching point inside the picture
  std::uint32_t fromColour = 0;
  std::uint32_t toColour = 0;
  friend bool operator==(const HoverRecolour&, const HoverRecolour&) = default;
};

// True when hovering `spot` swaps a colour of the pictures under it.
bool SwapsColours(const HotSpot& spot);

// The redraws for a picture occupying `picture`, in the order of `hotSpots`.
std::vector<HoverRecolour> HoverRecolours(const Rect& picture, std::span<const HotSpot> hotSpots);

}  // namespace card
