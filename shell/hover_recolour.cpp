// Plans the hot-spot colour swaps over a card picture.
#include "shell/hover_recolour.h"

namespace card {

bool SwapsColours(const HotSpot& spot) {
  return spot.hoverImage.empty() && spot.fromColour != spot.toColour;
}

std::vector<HoverRecolour> HoverRecolours(const Rect& picture, std::span<const HotSpot> hotSpots) {
  std::vector<HoverRecolour> redraws;
  for (const HotSpot& spot : hotSpots) {
    if (!spot.hover || !SwapsColours(spot)) continue;
    const Rect overlap = Intersect(spot.rect, picture);
    if (overlap.IsEmpty()) continue;
    redraws.push_back({overlap, {overlap.left - picture.left, overlap.top - picture.top},
                       spot.fromColour, spot.toColour});
  }
  return redraws;
}

}  // namespace card
