// Drawing a placed card picture with its hot-spot colour swaps.
#include "shell/placed_image_win.h"

#include "card/card_files.h"
#include "shell/hover_recolour.h"

namespace card {
namespace {

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

std::string CardPicturePath(const std::string& name) {
  return FindCardFile("", name).value_or(std::string());
}

PlacedImage::PlacedImage(int x, int y, const std::string& path)
    : x_(x), y_(y), image_(path) {}

void PlacedImage::Draw(HDC dc, std::span<const HotSpot> hotSpots,
                       const DisplayScale& scale) const {
  if (!image_.Loaded()) return;
  const Rect picture{x_, y_, x_ + image_.Width(), y_ + image_.Height()};
  const RECT placed = ToRECT(scale.ToDevice(picture));
  image_.DrawStretched(dc, placed);
  for (const HoverRecolour& redraw : HoverRecolours(picture, hotSpots)) {
    if (scale.IsIdentity()) {
      image_.DrawTransparent(dc, ToRECT(redraw.target), POINT{redraw.source.x, redraw.source.y},
                             redraw.fromColour, redraw.toColour);
      continue;
    }
    // Scaled, the whole picture is drawn again clipped to the part, so that the part's pixel
    // blocks fall exactly where the first drawing put them.
    const Rect part = scale.ToDevice(redraw.target);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    image_.DrawStretched(dc, placed, redraw.fromColour, redraw.toColour);
    RestoreDC(dc, saved);
  }
}

}  // namespace card
