// The card's message control: a read-only, disabled multi-line edit that draws its text twice,
// first as a shadow one pixel right of and below its place on the card's background colour,
// then the text itself transparently over it. It answers its own colours through the
// reflected control-colour message. At a display scale its font, margins and shadow offset
// are the scale's.
#pragma once

#include "common/display_scale.h"
#include "framework/window_win.h"

#include <windows.h>

namespace card {

// What the control draws in: the card's colours and the brush under the shadow pass, handed
// down by the card window, which owns the card's look.
struct MessageColours {
  COLORREF text = 0;
  COLORREF shadow = 0;
  COLORREF background = 0;
  HBRUSH backgroundBrush = nullptr;
};

class MessageEdit : public Window {
 public:
  void SetColours(const MessageColours& colours) { colours_ = colours; }
  // Gives the control the message font, margins and shadow offset of `scale`.
  void SetScale(const DisplayScale& scale);

 protected:
  // Gives the control the message font and 5-pixel margins on both sides.
  void PreSubclassWindow() override;
  void OnPaint() override;
  HBRUSH OnCtlColor(HDC dc, UINT ctlType) override;

 private:
  MessageColours colours_;
  bool shadowPass_ = false;
  int shadowOffset_ = 1;  // device pixels
};

}  // namespace card
