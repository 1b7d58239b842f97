// The card window's surface as a browser page draws it: the pictures the layout places, their
// hover colour swaps, hover images and the logo, all decoded from their bitmap files on first
// use and handed to the page as images by id, and a list of copies that paints the surface in
// its present hover state, as the Windows card paints it. The hot spots live here too.
#pragma once

#include "animation/image/bitmap_picture.h"
#include "common/byte_reader.h"
#include "common/geometry.h"
#include "layout/layout_file.h"
#include "shell/hot_spot.h"
#include "shell/hot_spot_hover.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace card {

// The bytes of a file the layout names; nothing when the card lacks it.
using FileLookup = std::function<std::optional<ByteView>(const std::string& name)>;

// One copy onto the surface: the part (source, size) of an image placed at `at`.
struct PaintCopy {
  int image = 0;
  Point source;
  std::int32_t width = 0;
  std::int32_t height = 0;
  Point at;
  friend bool operator==(const PaintCopy&, const PaintCopy&) = default;
};

class WebCardSurface {
 public:
  WebCardSurface(const LayoutFile& layout, FileLookup files);

  // The copies that paint the card's client area over its background colour: nothing without
  // a logo; else each picture, the swaps of the hot spots hovered over it, then their hover
  // images. A picture that cannot be loaded is left out.
  std::vector<PaintCopy> Paint();
  // The logo on the visit button, in the button's client pixels.
  std::optional<PaintCopy> Logo();
  // The image of a copy; null when its file cannot be loaded.
  const RgbaPicture* Image(int id);

  HoverChange PointerAt(Point client) { return UpdateHover(hotSpots_, client); }
  bool AnyHovered() const { return card::AnyHovered(hotSpots_); }
  // The index of the hot spot a click at `client` opens, or nothing.
  std::optional<std::size_t> HotSpotAt(Point client) const;
  const HotSpot& Spot(std::size_t index) const { return hotSpots_[index]; }

 private:
  struct Picture {
    std::string file;
    std::uint32_t swapFrom = 0;
    std::uint32_t swapTo = 0;
    bool tried = false;
    std::optional<RgbaPicture> decoded;
  };
  int ImageOf(const std::string& file, std::uint32_t swapFrom = 0, std::uint32_t swapTo = 0);
  std::optional<PaintCopy> Whole(int image, Point at);

  FileLookup files_;
  std::optional<LayoutImage> logo_;
  std::vector<LayoutImage> placed_;
  std::vector<HotSpot> hotSpots_;
  std::vector<Picture> pictures_;
};

}  // namespace card
