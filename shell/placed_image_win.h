// A picture at a fixed place of the card window. It draws itself with its key colour
// transparent, then redraws the parts under hovered hot spots with their colour swaps. At a
// display scale its place and size are mapped to device pixels and each of its pixels becomes
// a block (see common/display_scale.h).
#pragma once

#include "animation/image/dib_image_win.h"
#include "common/display_scale.h"
#include "shell/hot_spot.h"

#include <windows.h>

#include <span>
#include <string>

namespace card {

// The path of the card folder's picture that a layout names `name`, found by the card folder's
// one rule (the current folder, card/card_files.h); empty, which loads as a missing picture,
// when there is no such file or the name is no plain file name there.
std::string CardPicturePath(const std::string& name);

class PlacedImage {
 public:
  // The picture in the file at `path` (empty for none), its top-left corner at (x, y) of the
  // card window's client area (of the button's, for the logo).
  PlacedImage(int x, int y, const std::string& path);

  int X() const { return x_; }
  int Y() const { return y_; }
  const DibImage& Image() const { return image_; }

  // Draws onto `dc` at `scale`; `hotSpots` is the card window's list (empty for the logo).
  void Draw(HDC dc, std::span<const HotSpot> hotSpots = {},
            const DisplayScale& scale = {}) const;

 private:
  int x_;
  int y_;
  DibImage image_;
};

}  // namespace card
