// The browser card's surface (see web_card_surface.h).
#include "web/web_card_surface.h"

#include "shell/hover_recolour.h"

namespace card {

WebCardSurface::WebCardSurface(const LayoutFile& layout, FileLookup files)
    : files_(std::move(files)), logo_(layout.logo), placed_(layout.images) {
  for (const LayoutHotSpot& spot : layout.hotSpots) {
    HotSpot hotSpot;
    hotSpot.target = spot.target;
    hotSpot.hoverImage = spot.hoverImage;
    hotSpot.rect = spot.rect;
    hotSpot.fromColour = spot.fromColour;
    hotSpot.toColour = spot.toColour;
    hotSpots_.push_back(std::move(hotSpot));
  }
}

int WebCardSurface::ImageOf(const std::string& file, std::uint32_t swapFrom,
                            std::uint32_t swapTo) {
  for (std::size_t i = 0; i < pictures_.size(); ++i) {
    const Picture& p = pictures_[i];
    if (p.file == file && p.swapFrom == swapFrom && p.swapTo == swapTo) return static_cast<int>(i);
  }
  pictures_.push_back({file, swapFrom, swapTo, false, std::nullopt});
  return static_cast<int>(pictures_.size() - 1);
}

const RgbaPicture* WebCardSurface::Image(int id) {
  if (id < 0 || static_cast<std::size_t>(id) >= pictures_.size()) return nullptr;
  Picture& picture = pictures_[id];
  if (!picture.tried) {
    picture.tried = true;
    // A file that is missing or cannot be read draws nothing, as on Windows.
    if (const std::optional<ByteView> bytes = files_(picture.file)) {
      auto decoded = DecodeBitmapPicture(*bytes, picture.swapFrom, picture.swapTo);
      if (decoded) picture.decoded = std::move(decoded).value();
    }
  }
  return picture.decoded ? &*picture.decoded : nullptr;
}

std::optional<PaintCopy> WebCardSurface::Whole(int image, Point at) {
  const RgbaPicture* picture = Image(image);
  if (!picture) return std::nullopt;
  return PaintCopy{image, {0, 0}, picture->width, picture->height, at};
}

std::vector<PaintCopy> WebCardSurface::Paint() {
  std::vector<PaintCopy> copies;
  if (!logo_) return copies;
  for (const LayoutImage& placed : placed_) {
    const std::optional<PaintCopy> whole = Whole(ImageOf(placed.fileName), {placed.x, placed.y});
    if (!whole) continue;
    copies.push_back(*whole);
    const Rect area{placed.x, placed.y, placed.x + whole->width, placed.y + whole->height};
    for (const HoverRecolour& swap : HoverRecolours(area, hotSpots_)) {
      copies.push_back({ImageOf(placed.fileName, swap.fromColour, swap.toColour), swap.source,
                        swap.target.Width(), swap.target.Height(),
                        {swap.target.left, swap.target.top}});
    }
  }
  for (const HotSpot& spot : hotSpots_) {
    if (!spot.hover || spot.hoverImage.empty()) continue;
    if (auto image = Whole(ImageOf(spot.hoverImage), {spot.rect.left, spot.rect.top})) {
      copies.push_back(*image);
    }
  }
  return copies;
}

std::optional<PaintCopy> WebCardSurface::Logo() {
  if (!logo_) return std::nullopt;
  return Whole(ImageOf(logo_->fileName), {logo_->x, logo_->y});
}

std::optional<std::size_t> WebCardSurface::HotSpotAt(Point client) const {
  const HotSpot* spot = HitTest(hotSpots_, client);
  if (!spot) return std::nullopt;
  return static_cast<std::size_t>(spot - hotSpots_.data());
}

}  // namespace card
