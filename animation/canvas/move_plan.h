// The rectangles the figure window works with when it moves by (dx, dy) and keeps its saved
// background current: the part of the old background that stays under the window is shifted
// inside the background surface and kept from being read again, because on the screen that
// part shows the window itself.
#pragma once

#include "common/geometry.h"

#include <cstdint>

namespace card {

// All rectangles are in the window's own coordinates before the move: the old window is
// (0, 0, width, height).
struct MovePlan {
  // Where the window goes. While the area it leaves gets its background back, this part is
  // excluded from drawing: the window still covers it.
  Rect newWindow;
  // The overlap of the old and the new window: the saved background that stays under the
  // window. Empty when the window jumps clear of where it was.
  Rect kept;
  // The same pixels relative to the new position: the destination of the shift inside the
  // background surface, excluded while the rest of the new background is read from the screen.
  Rect keptAfterMove;

  bool Overlaps() const { return !kept.IsEmpty(); }
};

// The plan for a window of width x height moving by (dx, dy), positive dy downward.
MovePlan PlanMove(std::int32_t width, std::int32_t height, std::int32_t dx, std::int32_t dy);

// `position` moved by `delta`, held inside the range of a 32-bit coordinate.
std::int32_t MovedCoordinate(std::int32_t position, std::int32_t delta);

}  // namespace card
