// The display scale: how many device pixels a card pixel takes on a screen of a given DPI
// (96 DPI is 100 %). The card is laid out in card pixels; the Windows side maps them with
// these functions, so the card window and the figure look alike at every scale and the
// script's arithmetic stays in card pixels.
//
// A card coordinate c goes to round(c * dpi / 96), halves rounded up; each edge of a
// rectangle is mapped on its own, so rectangles that touch keep touching. A device coordinate
// goes back to the card pixel whose device span holds it: ToCard(ToDevice(c)) == c, and a
// device point lies in ToDevice(r) exactly when its card point lies in r. At whole scales
// every card pixel is an exact s x s block; at 150 % card pixels are alternately 2 and 1
// device pixels wide (sharp, never a blend of two colours).
#pragma once

#include "common/geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace card {

class DisplayScale {
 public:
  static constexpr int kBaseDpi = 96;
  // Beyond 500 % (480 DPI) a reported DPI is taken for a fault, as is anything below 100 %.
  static constexpr int kMaxDpi = 480;

  constexpr DisplayScale() = default;
  // The scale of a screen of `dpi` dots per inch; an unusable value gives 100 %.
  static constexpr DisplayScale FromDpi(int dpi) {
    DisplayScale scale;
    if (dpi >= kBaseDpi && dpi <= kMaxDpi) scale.dpi_ = dpi;
    return scale;
  }

  constexpr int Dpi() const { return dpi_; }
  constexpr int Percent() const { return dpi_ * 100 / kBaseDpi; }
  constexpr bool IsIdentity() const { return dpi_ == kBaseDpi; }

  // A coordinate or length in card pixels, in device pixels; held inside 32 bits.
  constexpr std::int32_t ToDevice(std::int64_t card) const {
    return Clamp32(FloorDiv(card * 2 * dpi_ + kBaseDpi, 2 * kBaseDpi));
  }
  // The card pixel whose device span holds device pixel `device`.
  constexpr std::int32_t ToCard(std::int64_t device) const {
    return Clamp32(FloorDiv((2 * device + 1) * kBaseDpi - 1, 2 * std::int64_t{dpi_}));
  }

  constexpr Rect ToDevice(const Rect& r) const {
    return {ToDevice(r.left), ToDevice(r.top), ToDevice(r.right), ToDevice(r.bottom)};
  }
  constexpr Point ToDevice(Point p) const { return {ToDevice(p.x), ToDevice(p.y)}; }
  constexpr Point ToCard(Point p) const { return {ToCard(p.x), ToCard(p.y)}; }
  // The card rectangle whose device rectangle is `r` (edge by edge; exact for rectangles
  // that ToDevice made).
  constexpr Rect ToCard(const Rect& r) const {
    return {ToCard(r.left), ToCard(r.top), ToCard(r.right), ToCard(r.bottom)};
  }

  friend constexpr bool operator==(const DisplayScale&, const DisplayScale&) = default;

 private:
  static constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
  }
  static constexpr std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  }

  int dpi_ = kBaseDpi;
};

}  // namespace card
