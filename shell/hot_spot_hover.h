// The card window's hot spots as the pointer moves: which spot a click opens, which spots are
// hovered, and which rectangles must be redrawn when that changes. The window turns the result
// into its polling timer, its repaints and its cursor.
#pragma once

#include "shell/hot_spot.h"
#include "common/geometry.h"

#include <span>
#include <vector>

namespace card {

// The first spot in list order whose rectangle holds the point, or null.
const HotSpot* HitTest(std::span<const HotSpot> spots, Point client);

// A spot shows that it is hovered (beyond the cursor) when it has a hover image or a colour
// swap; only such a spot needs redrawing when its flag changes.
bool HasHoverEffect(const HotSpot& spot);

bool AnyHovered(std::span<const HotSpot> spots);

struct HoverChange {
  bool pointerInside = false;   // some spot holds the point: keep polling
  std::vector<Rect> toRedraw;   // rectangles of spots whose visible state changed
};

// Sets each spot's hover flag to whether it holds the point (right and bottom edges outside).
HoverChange UpdateHover(std::span<HotSpot> spots, Point client);

}  // namespace card
