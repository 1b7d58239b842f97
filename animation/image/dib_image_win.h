// A picture loaded from a bitmap file as a device-independent section, drawn with the colour of
// its top-left pixel transparent and, on request, one colour shown as another. Transparency
// rewrites the section's own colour table between two blits (mask with SRCAND, colours with
// SRCPAINT) and puts it back; no mask bitmap is made. A picture without a colour table (more
// than 8 bits per pixel) is drawn opaque. An empty path, or a file that cannot be loaded, gives
// a picture of size 0 that draws nothing. Drawn larger than it is, each pixel becomes a block of
// screen pixels (nearest neighbour), so pixel art stays sharp on a scaled display.
#pragma once

#include "framework/gdi_win.h"

#include <windows.h>

#include <string>

namespace card {

class DibImage {
 public:
  explicit DibImage(const std::string& path);
  DibImage(const DibImage&) = delete;
  DibImage& operator=(const DibImage&) = delete;

  bool Loaded() const { return static_cast<bool>(bitmap_); }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The whole picture with its top-left corner at (x, y), key colour transparent.
  void Draw(HDC dc, int x, int y) const;
  // The part of the picture starting at `source`, at the size of `target`, onto `target`;
  // when the swap colours (0x00BBGGRR) differ, pixels of swapFrom are drawn in swapTo.
  void DrawTransparent(HDC dc, RECT target, POINT source, COLORREF swapFrom,
                       COLORREF swapTo) const;
  // The whole picture stretched onto `target`, key colour transparent, with the swap above.
  void DrawStretched(HDC dc, RECT target, COLORREF swapFrom = 0, COLORREF swapTo = 0) const;

 private:
  // The `source` rectangle of the picture onto `target`, in the two transparent passes.
  void DrawPart(HDC dc, RECT target, RECT source, COLORREF swapFrom, COLORREF swapTo) const;

  Bitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace card
