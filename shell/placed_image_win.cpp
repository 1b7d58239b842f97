// Drawing a placed card picture with its hot-spot colour swaps.
#include "shell/placed_image_win.h"

#include "card/card_files.h"
#include "shell/hover_recolour.h"

namespace card {

std::string CardPicturePath(const std::string& name) {
  return FindCardFile("", name).value_or(std::string());
}

PlacedImage::PlacedImage(int x, int y, const std::string& path)
    : x_(x), y_(y), image_(path) {}

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
