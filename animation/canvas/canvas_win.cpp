// The figure window's drawing and moving.
#include "animation/canvas/canvas_win.h"

#include "animation/canvas/frame_choice.h"
#include "animation/canvas/frame_drawing_win.h"
#include "animation/canvas/move_plan.h"

#include <algorithm>
#include <limits>

namespace card {
namespace {

void SelectForegroundPalette(HDC dc, HPALETTE palette) {
  if (!palette) return;
  SelectPalette(dc, palette, FALSE);
  RealizePalette(dc);
}

// Copies the screen's pixels of the width x height rectangle at (x, y) onto `surface` at (0, 0),
// reading only the part that lies on the screen: pixels beyond it mean nothing, and a system
// may refuse a read that reaches past the screen as a whole (Wine does).
void ReadScreen(HDC surface, HDC screen, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const Rect screenArea{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const Rect wanted{x, y, MovedCoordinate(x, width), MovedCoordinate(y, height)};
  const Rect onScreen = Intersect(wanted, screenArea);
  if (onScreen.IsEmpty()) return;
  BitBlt(surface, onScreen.left - x, onScreen.top - y, onScreen.Width(), onScreen.Height(), screen,
         onScreen.left, onScreen.top, SRCCOPY);
}

// The move from `from` to `to`, held inside 32 bits (MoveBy holds the place itself).
std::int32_t DeviceDelta(std::int32_t from, std::int32_t to) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      std::int64_t{to} - from, std::numeric_limits<std::int32_t>::min(),
      std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Downward(std::int32_t dyUp) {
  return dyUp == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max()
                                                          : -dyUp;
}

}  // namespace

Canvas::Canvas(const FasFile& fas, HDC screen, HPALETTE palette, const DisplayScale& scale)
    : scale_(scale),
      width_(scale.ToDevice(fas.Width())),
      height_(scale.ToDevice(fas.Height())),
      fas_(fas),
      screen_(screen),
      palette_(palette),
      background_(screen, width_, height_),
      compose_(screen, width_, height_) {
  // The static-control class answers hit-testing as transparent, so the figure never takes
  // the mouse; the framework subclasses it so the handlers below get its messages.
  if (!Create(kExStyle, "Static", "", WS_POPUP, 0, 0, width_, height_, nullptr, nullptr)) return;
  windowDC_.emplace(Handle());
  RECT placed{};
  GetWindowRect(Handle(), &placed);
  screenX_ = placed.left;
  screenY_ = placed.top;
  SelectForegroundPalette(*windowDC_, palette_);
  SelectForegroundPalette(compose_, palette_);
}

Canvas::~Canvas() = default;

void Canvas::ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId) {
  if (dx != 0 || dyUp != 0) {
    // From the card-pixel place the window stands for to the device place of the next one.
    const std::int32_t down = Downward(dyUp);
    const std::int32_t x = scale_.ToDevice(MovedCoordinate(scale_.ToCard(screenX_), dx));
    const std::int32_t y = scale_.ToDevice(MovedCoordinate(scale_.ToCard(screenY_), down));
    MoveBy(DeviceDelta(screenX_, x), DeviceDelta(screenY_, y));
  }
  Present(frameId);
}

void Canvas::Present(std::int32_t frameId) {
  ComposeFrame(frameId);
  if (windowDC_) BitBlt(*windowDC_, 0, 0, width_, height_, compose_, 0, 0, SRCCOPY);
}

void Canvas::ComposeFrame(std::int32_t frameId) {
  frameId = FrameToCompose(currentFrame_, frameId);
  currentFrame_ = frameId;
  BitBlt(compose_, 0, 0, width_, height_, background_, 0, 0, SRCCOPY);
  DrawFrameMask(fas_, frameId, compose_, SRCAND, scale_);
  DrawFrameImage(fas_, frameId, compose_, SRCPAINT, scale_);
}

void Canvas::CaptureBackground() {
  WindowDC screen(nullptr);
  ReadScreen(background_, screen, screenX_, screenY_, width_, height_);
  backgroundCaptured_ = true;
}

void Canvas::MoveBy(std::int32_t dx, std::int32_t dy) {
  const MovePlan plan = PlanMove(width_, height_, dx, dy);
  const std::int32_t newX = MovedCoordinate(screenX_, dx);
  const std::int32_t newY = MovedCoordinate(screenY_, dy);

  // Give the screen the window is leaving its background back; the window still covers the
  // part it keeps, and that part must not flash the old background.
  if (backgroundCaptured_ && windowDC_) {
    const Rect& keep = plan.newWindow;
    if (plan.Overlaps()) ExcludeClipRect(*windowDC_, keep.left, keep.top, keep.right, keep.bottom);
    BitBlt(*windowDC_, 0, 0, width_, height_, background_, 0, 0, SRCCOPY);
    if (plan.Overlaps()) SelectClipRgn(*windowDC_, nullptr);
  }

  // The saved background that stays under the window moves to where it lies in the new window
  // and is kept from the screen read below: on the screen that part shows the window itself.
  if (plan.Overlaps()) {
    const Rect& from = plan.kept;
    const Rect& to = plan.keptAfterMove;
    BitBlt(background_, to.left, to.top, from.Width(), from.Height(), background_, from.left,
           from.top, SRCCOPY);
    ExcludeClipRect(background_, to.left, to.top, to.right, to.bottom);
  }
  ReadScreen(background_, screen_, newX, newY, width_, height_);
  if (plan.Overlaps()) SelectClipRgn(background_, nullptr);

  screenX_ = newX;
  screenY_ = newY;
  if (Handle()) MoveWindow(Handle(), screenX_, screenY_, width_, height_, FALSE);
}

LRESULT Canvas::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:  // void OnShowWindow(bool show)
      OnShowWindow(wParam != 0);
      return Default();
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

// Once shown, the screen under the window shows the window itself, and a window that has not
// drawn yet shows whatever the system left there (after a move, the pixels of where it was).
// Saving the background while the window is still hidden is the only moment the screen
// shows what is really beneath it.
void Canvas::OnShowWindow(bool show) {
  if (show && !backgroundCaptured_) CaptureBackground();
}

void Canvas::OnPaint() {
  PaintDC paint(Handle());  // validates the update region; frames are drawn by Present only
}

bool Canvas::OnEraseBkgnd(HDC) { return true; }

bool Canvas::OnQueryNewPalette() {
  if (!palette_) return false;
  WindowDC dc(Handle());
  SelectForegroundPalette(dc, palette_);
  return true;
}

void Canvas::OnPaletteChanged(HWND changer) {
  if (changer != Handle()) OnQueryNewPalette();
}

}  // namespace card
