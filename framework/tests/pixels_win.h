// Pixels for drawing tests: a 32-bit DIB section to draw into and read back exactly, and the
// bounding box of the pixels of one colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace card::test {

class PixelSurface {
 public:
  PixelSurface(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~PixelSurface() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Fill(COLORREF colour) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = ToPixel(colour);
  }
  // The pixel as a COLORREF (0x00BBGGRR).
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // The smallest rectangle holding every pixel of `colour` (right and bottom exclusive);
  // empty when there is none.
  RECT BoundsOf(COLORREF colour) const {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) == (colour & 0xFFFFFF)) {
          box.left = x < box.left ? x : box.left;
          box.top = y < box.top ? y : box.top;
          box.right = x + 1 > box.right ? x + 1 : box.right;
          box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
        }
    return box;
  }

 private:
  static std::uint32_t ToPixel(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace card::test
