// Scope-bound owners of GDI resources: device contexts of a window, its client area, a paint
// cycle or memory; bitmaps, brushes, fonts, palettes and regions; and the selection of an
// object or a palette into a device context, undone when the scope ends. Every GDI handle the
// shell creates lives in one of these, so no early return can leak one.
#pragma once

#include <windows.h>

#include <utility>

namespace card {

// The device context of a whole window, frame included; of the whole screen for no window.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT: passes straight to GDI calls

 private:
  HWND window_;
  HDC dc_;
};

// The device context of a window's client area (of the whole screen for no window).
class ClientDC {
 public:
  explicit ClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ClientDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ClientDC(const ClientDC&) = delete;
  ClientDC& operator=(const ClientDC&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT

 private:
  HWND window_;
  HDC dc_;
};

// One paint cycle: BeginPaint on construction, EndPaint on destruction, which validates the
// update region even when nothing was drawn.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT
  const RECT& UpdateRect() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A memory device context compatible with `reference` (with the screen for null).
class CompatibleDC {
 public:
  explicit CompatibleDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
  ~CompatibleDC() {
    if (dc_) DeleteDC(dc_);
  }
  CompatibleDC(const CompatibleDC&) = delete;
  CompatibleDC& operator=(const CompatibleDC&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT

 private:
  HDC dc_;
};

// Owns one GDI object handle (HBITMAP, HBRUSH, HFONT, HPALETTE, HRGN) and deletes it.
// The object must not be selected into a device context when its owner goes away.
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  operator Handle() const { return handle_; }  // NOLINT
  explicit operator bool() const { return handle_ != nullptr; }

  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Palette = GdiObject<HPALETTE>;
using Region = GdiObject<HRGN>;

// Selects a bitmap, brush, font, pen or region into a device context and puts the previous
// object back when the scope ends. A null object selects nothing.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Selects a palette into a device context (as a foreground or a background palette) and puts
// the previous palette back when the scope ends. A null palette selects nothing.
class PaletteSelection {
 public:
  PaletteSelection(HDC dc, HPALETTE palette, bool forceBackground)
      : dc_(dc), previous_(palette ? SelectPalette(dc, palette, forceBackground) : nullptr) {}
  ~PaletteSelection() {
    if (previous_) SelectPalette(dc_, previous_, TRUE);
  }
  PaletteSelection(const PaletteSelection&) = delete;
  PaletteSelection& operator=(const PaletteSelection&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_;
};

}  // namespace card
