// Plain rectangles in screen or client pixels, laid out like the platform's RECT (right and
// bottom exclusive), so the portable core can reason about windows without seeing one.
#pragma once

#include <algorithm>
#include <cstdint>

namespace card {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool IsAllZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect Offset(std::int32_t dx, std::int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The overlap of two rectangles; all zero when they do not overlap, as IntersectRect gives.
inline Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.IsEmpty() ? Rect{} : r;
}

}  // namespace card
