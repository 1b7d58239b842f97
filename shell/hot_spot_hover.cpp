// Hot-spot hit testing and hover tracking (see hot_spot_hover.h).
#include "shell/hot_spot_hover.h"

#include <algorithm>

namespace card {

const HotSpot* HitTest(std::span<const HotSpot> spots, Point client) {
  auto found = std::find_if(spots.begin(), spots.end(),
                            [&](const HotSpot& spot) { return spot.rect.Contains(client); });
  return found == spots.end() ? nullptr : &*found;
}

bool HasHoverEffect(const HotSpot& spot) {
  return spot.fromColour != spot.toColour || !spot.hoverImage.empty();
}

bool AnyHovered(std::span<const HotSpot> spots) {
  return std::any_of(spots.begin(), spots.end(), [](const HotSpot& spot) { return spot.hover; });
}

HoverChange UpdateHover(std::span<HotSpot> spots, Point client) {
  HoverChange change;
  for (HotSpot& spot : spots) {
    const bool inside = spot.rect.Contains(client);
    if (spot.hover != inside) {
      spot.hover = inside;
      if (HasHoverEffect(spot)) change.toRedraw.push_back(spot.rect);
    }
    if (inside) change.pointerInside = true;
  }
  return change;
}

}  // namespace card
