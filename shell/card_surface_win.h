// What the card window does with the screen and the mouse itself: it erases its background in
// the card's colour, paints the card's pictures and the hover effects of its hot spots,
// realises the card palette, moves by dragging any point that is not a hot spot, follows the
// pointer over hot spots (polling it every 100 ms while it is inside one, so that leaving the
// window is noticed too), shows the hand cursor over them and opens their targets, and opens
// the "Visit Us" page, each only when the card may open it (card/card_target.h). The card
// window owns one and forwards its messages to it. Pictures and hot spots are in card pixels,
// drawn and hit at the card look's display scale.
#pragma once

#include "shell/hot_spot.h"
#include "shell/placed_image_win.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace card {

class CardSurface {
 public:
  static constexpr UINT_PTR kHoverTimer = 1;
  static constexpr UINT kHoverMilliseconds = 100;

  // Opens an address or a card file's path (TargetToOpen's) with the shell's default action;
  // tests put a recorder in its place.
  using Opener = std::function<void(const std::string& target)>;
  static void OpenWithShell(const std::string& target);

  // `images[0]` is the logo (may be null); the card shows images 1, 2, ... and nothing at all
  // when there is no logo. `hand` is the cursor shown over hot spots, `icon` the card's icon.
  CardSurface(std::vector<std::unique_ptr<PlacedImage>> images, std::vector<HotSpot> hotSpots,
              HCURSOR hand, HICON icon, Opener open = OpenWithShell);

  // WM_ERASEBKGND: fills the clip box with the background brush (made the first time).
  bool EraseBackground(HDC dc);
  // WM_PAINT of the card window.
  void Paint(HWND window);
  // WM_QUERYNEWPALETTE: realises the card palette in the foreground.
  bool RealisePalette(HWND window);
  // The mouse messages, after their default handling; points in client coordinates.
  void ButtonDown(HWND window, POINT client);
  void MouseMove(HWND window, POINT client);
  void ButtonUp(HWND window);
  // WM_TIMER, any id: where is the pointer now?
  void Timer(HWND window);
  // WM_SETCURSOR: the hand while a hot spot is hovered; false leaves it to the default handling.
  bool SetHandCursor();
  // The "Visit Us" command.
  void VisitUs();

  std::span<const HotSpot> HotSpots() const { return hotSpots_; }
  const PlacedImage* Logo() const { return images_.empty() ? nullptr : images_[0].get(); }
  UINT_PTR HoverTimer() const { return hoverTimer_; }

 private:
  void UpdateHover(HWND window, POINT client);
  void Open(const std::string& target);

  std::vector<std::unique_ptr<PlacedImage>> images_;
  std::vector<HotSpot> hotSpots_;
  HCURSOR hand_;
  HICON icon_;
  Opener open_;
  POINT dragAnchor_{};
  UINT_PTR hoverTimer_ = 0;
};

}  // namespace card
