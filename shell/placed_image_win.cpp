// Drawing a placed card picture with its hot-spot colour swaps.
#include "shell/placed_image_win.h"

#include "shell/hover_recolour.h"

namespace card {

PlacedImage::PlacedImage(int x, int y, const std::string& fileName)
    : x_(x), y_(y), image_(fileName) {}

void PlacedImage::Draw(HDC dc, std::span<const HotSpot> hotSpots) const {
  if (!image_.Loaded()) return;
  image_.Draw(dc, x_, y_);
  const Rect picture{x_, y_, x_ + image_.Width(), y_ + image_.Height()};
  for (const HoverRecolour& redraw : HoverRecolours(picture, hotSpots)) {
    const RECT target{redraw.target.left, redraw.target.top, redraw.target.right,
                      redraw.target.bottom};
    image_.DrawTransparent(dc, target, POINT{redraw.source.x, redraw.source.y}, redraw.fromColour,
                           redraw.toColour);
  }
}

}  // namespace card
