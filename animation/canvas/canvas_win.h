// The figure window: a borderless topmost tool window exactly one frame in size that moves over
// the desktop. It never paints through the paint cycle. It keeps a copy of the screen under
// itself (the background surface), composes each frame over that copy off-screen (the compose
// surface) and copies the result into its window through a device context kept for its life.
// A move keeps the background copy current without ever reading the window itself back from
// the screen: the area left gets its saved background again, the part still covered is shifted
// inside the copy, and only the newly covered part is read from the screen.
// At a display scale the window is the frames' size in device pixels and each frame pixel a
// block; the script's moves stay in card pixels: the window's place is always the device place
// of a card-pixel place (see common/display_scale.h).
#pragma once

#include "animation/canvas/frame_choice.h"
#include "animation/fas/fas_file.h"
#include "animation/image/memory_dc_win.h"
#include "common/display_scale.h"
#include "framework/gdi_win.h"
#include "framework/window_win.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace card {

class Canvas : public Window {
 public:
  // Creates the hidden window at (0, 0) of the frames' size. `screen` is the program's device
  // context of the whole screen (reference device and source of screen reads) and `palette`
  // the card's palette (null for none); both must outlive the canvas, as must `fas`. Frames
  // are drawn at `scale`.
  Canvas(const FasFile& fas, HDC screen, HPALETTE palette, const DisplayScale& scale = {});
  ~Canvas() override;

  // Moves by dx card pixels right and dyUp card pixels up when either is nonzero, then presents
  // frame id `frameId` as frame_choice.h resolves it.
  void ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId);
  // Moves the window by (dx, dy) device pixels, positive dy downward, keeping the saved
  // background current.
  void MoveBy(std::int32_t dx, std::int32_t dy);

  const DisplayScale& Scale() const { return scale_; }
  // The window's size in device pixels.
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::int32_t CurrentFrame() const { return currentFrame_; }
  // The window's top-left corner where the canvas last placed it.
  POINT Position() const { return POINT{screenX_, screenY_}; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Saves the screen under the window just before it first shows (see the .cpp).
  void OnShowWindow(bool show);
  void OnPaint() override;
  bool OnEraseBkgnd(HDC dc) override;
  bool OnQueryNewPalette() override;
  void OnPaletteChanged(HWND changer) override;

 private:
  static constexpr DWORD kExStyle =
      WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOPARENTNOTIFY;

  // Composes the frame and copies it into the window.
  void Present(std::int32_t frameId);
  // Background plus frame into the compose surface.
  void ComposeFrame(std::int32_t frameId);
  // Fills the background surface from the screen at the window's position.
  void CaptureBackground();

  DisplayScale scale_;
  std::int32_t screenX_ = -1000;
  std::int32_t screenY_ = -1000;
  std::int32_t width_;
  std::int32_t height_;
  std::int32_t currentFrame_ = kNoFrameShownId;
  const FasFile& fas_;
  HDC screen_;
  HPALETTE palette_;
  bool backgroundCaptured_ = false;
  // Destroyed in reverse: the window context is released, then the compose surface and the
  // background surface go, and last the base destroys the window.
  MemoryDC background_;
  MemoryDC compose_;
  std::optional<WindowDC> windowDC_;  // none when the window could not be created
};

}  // namespace card
