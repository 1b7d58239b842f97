// An off-screen drawing surface: a memory device context holding a bitmap compatible with the
// screen, of a fixed size, selected for the surface's whole life. Its contents are undefined
// until drawn. Background colour black and text colour white, as the surface's users expect.
#pragma once

#include "framework/gdi_win.h"

#include <windows.h>

namespace card {

class MemoryDC {
 public:
  // `screen` is the device the bitmap is made compatible with: the program's screen context.
  MemoryDC(HDC screen, int width, int height);
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;

  HDC Get() const { return dc_.Get(); }
  operator HDC() const { return dc_.Get(); }  // NOLINT: passes straight to GDI calls
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  // Declared before the context so that the context, with the bitmap still selected, goes first.
  Bitmap bitmap_;
  CompatibleDC dc_;
};

}  // namespace card
