// The card window's painting, dragging and hot spots (see card_surface_win.h).
#include "shell/card_surface_win.h"

#include "animation/image/dib_image_win.h"
#include "card/card_files.h"
#include "card/card_target.h"
#include "framework/entry_point_win.h"
#include "framework/gdi_win.h"
#include "framework/system_library_win.h"
#include "shell/card_look_win.h"
#include "shell/hot_spot_hover.h"
#include "shell/visit_target.h"

#include <shellapi.h>

namespace card {
namespace {

// Hot spots are in card pixels; the mouse reports device pixels.
Point CardPoint(POINT client) { return TheCardLook().scale.ToCard(Point{client.x, client.y}); }

}  // namespace

void CardSurface::OpenWithShell(const std::string& target) {
  // The shell's library is loaded at the first click, not at start-up, which it would slow.
  static const auto shellExecute =
      EntryPoint<decltype(&ShellExecuteA)>(LoadSystemLibrary(L"shell32.dll"), "ShellExecuteA");
  // Failures (no such file, no browser) are not the user's business here.
  if (shellExecute) shellExecute(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOW);
}

CardSurface::CardSurface(std::vector<std::unique_ptr<PlacedImage>> images,
                         std::vector<HotSpot> hotSpots, HCURSOR hand, HICON icon, Opener open)
    : images_(std::move(images)),
      hotSpots_(std::move(hotSpots)),
      hand_(hand),
      icon_(icon),
      open_(std::move(open)) {}

bool CardSurface::EraseBackground(HDC dc) {
  CardLook& look = TheCardLook();
  look.MakeBrushes();
  const Selection brush(dc, look.backgroundBrush.Get());
  RECT clip;
  GetClipBox(dc, &clip);
  PatBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, PATCOPY);
  return true;
}

void CardSurface::Paint(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  if (IsIconic(window)) {
    const PaintDC dc(window);
    SendMessageA(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
    return;
  }
  const PaintDC dc(window);
  const PaletteSelection palette(dc, TheCardLook().palette.Get(), true);
  RealizePalette(dc);
  if (!Logo()) return;
  const DisplayScale& scale = TheCardLook().scale;
  for (size_t i = 1; i < images_.size(); ++i) {
    if (images_[i]) images_[i]->Draw(dc, hotSpots_, scale);
  }
  for (const HotSpot& spot : hotSpots_) {
    if (!spot.hover || spot.hoverImage.empty()) continue;
    // Loaded for this paint only, as the image is shown only while hovered.
    const DibImage image(CardPicturePath(spot.hoverImage));
    const Rect placed = scale.ToDevice(Rect{spot.rect.left, spot.rect.top,
                                            spot.rect.left + image.Width(),
                                            spot.rect.top + image.Height()});
    image.DrawStretched(dc, RECT{placed.left, placed.top, placed.right, placed.bottom});
  }
}

bool CardSurface::RealisePalette(HWND window) {
  const WindowDC dc(window);
  const PaletteSelection palette(dc, TheCardLook().palette.Get(), false);
  RealizePalette(dc);
  return true;
}

void CardSurface::ButtonDown(HWND window, POINT client) {
  if (const HotSpot* spot = HitTest(hotSpots_, CardPoint(client))) {
    Open(spot->target);
    return;
  }
  dragAnchor_ = client;
  SetCapture(window);
}

void CardSurface::MouseMove(HWND window, POINT client) {
  if (GetCapture() != window) {
    UpdateHover(window, client);
    return;
  }
  if (client.x == dragAnchor_.x && client.y == dragAnchor_.y) return;
  // The window follows the pointer, so the anchor stays under it.
  RECT frame;
  GetWindowRect(window, &frame);
  OffsetRect(&frame, client.x - dragAnchor_.x, client.y - dragAnchor_.y);
  MoveWindow(window, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
             TRUE);
}

void CardSurface::ButtonUp(HWND window) {
  if (GetCapture() == window) ReleaseCapture();
}

void CardSurface::Timer(HWND window) {
  POINT pointer;
  GetCursorPos(&pointer);
  ScreenToClient(window, &pointer);
  UpdateHover(window, pointer);
}

bool CardSurface::SetHandCursor() {
  if (!AnyHovered(hotSpots_)) return false;
  SetCursor(hand_);
  return true;
}

void CardSurface::VisitUs() { Open(VisitTarget(FindCardFile("", kLocalVisitPage).has_value())); }

void CardSurface::Open(const std::string& target) {
  // A target the card may not open does nothing, as a click beside the spot would.
  const std::optional<std::string> opened = TargetToOpen("", target);
  if (!opened) return;
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  open_(*opened);
  SetCursor(previous);
}

void CardSurface::UpdateHover(HWND window, POINT client) {
  if (hoverTimer_ != 0) KillTimer(window, hoverTimer_);
  hoverTimer_ = 0;
  const HoverChange change = card::UpdateHover(hotSpots_, CardPoint(client));
  for (const Rect& spot : change.toRedraw) {
    const Rect r = TheCardLook().scale.ToDevice(spot);
    const RECT rect{r.left, r.top, r.right, r.bottom};
    InvalidateRect(window, &rect, TRUE);
  }
  if (change.pointerInside) hoverTimer_ = SetTimer(window, kHoverTimer, kHoverMilliseconds, nullptr);
}

}  // namespace card
