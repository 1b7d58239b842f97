// Bounds specifications: '©corner,corner©' gives the screen rectangle the figure must stay
// inside. Each corner is an optional '[dx,dy]' offset (dy upwards), then sx h sy v: sx and sy
// select a reference rectangle (0 the work area, 1 the figure's size at the screen origin,
// 10 the card window's control 1, any other n its control n) and h, v pick a position on it
// (h: 'l' left, 'c' centre, else right; v: 't' top, 'm' middle, else bottom).
#pragma once

#include "common/geometry.h"
#include "common/result.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace card {

// What the reference selectors refer to.
struct BoundsReferences {
  std::function<Rect()> workArea;
  std::int32_t viewWidth = 0;
  std::int32_t viewHeight = 0;
  // A card window control's rectangle; nothing when the card window has no such control.
  std::function<std::optional<Rect>(int id)> control;
};

// The rectangle a bounds token describes (the token includes both delimiters, or runs to the
// end of the script without the closing one). Fails with "Bad syntax - missing ']'", "Bad syntax
// - missing ','" or a message that ends in the id of a control the card window lacks.
Result<Rect> ParseBounds(std::string_view token, const BoundsReferences& references);

}  // namespace card
