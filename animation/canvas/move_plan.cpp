// Works out the geometry of a figure-window move.
#include "animation/canvas/move_plan.h"

#include <algorithm>
#include <limits>

namespace card {

std::int32_t MovedCoordinate(std::int32_t position, std::int32_t delta) {
  const std::int64_t moved = std::int64_t{position} + delta;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      moved, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

MovePlan PlanMove(std::int32_t width, std::int32_t height, std::int32_t dx, std::int32_t dy) {
  MovePlan plan;
  plan.newWindow = {MovedCoordinate(0, dx), MovedCoordinate(0, dy), MovedCoordinate(width, dx),
                    MovedCoordinate(height, dy)};
  plan.kept = Intersect(Rect{0, 0, width, height}, plan.newWindow);
  if (plan.Overlaps()) {
    // Inside the overlap dx and dy are smaller than the window, so these cannot overflow.
    plan.keptAfterMove = plan.kept.Offset(-dx, -dy);
  }
  return plan;
}

}  // namespace card
