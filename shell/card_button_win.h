// The card window's owner-drawn buttons: a frame, a face in the button-face colour, a bevel
// (raised, or pressed), an optional decoration at the left and a caption with a one-pixel
// shadow in the card's button colours. `LogoButton` ("Visit Us") draws the card's logo in a
// 48-pixel strip left of its caption. Disabled and focused buttons look like normal ones. All
// of it is drawn at the card look's display scale.
#pragma once

#include "framework/window_win.h"

#include <windows.h>

namespace card {

class CardButton : public Window {
 protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  // Draws what stands left of the caption; its width in device pixels.
  virtual int DrawDecoration(HDC dc, bool pressed);
};

class LogoButton : public CardButton {
 protected:
  int DrawDecoration(HDC dc, bool pressed) override;
};

}  // namespace card
