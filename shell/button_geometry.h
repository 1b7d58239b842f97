// Where an owner-drawn card button puts its frame, face, bevel and caption, as plain rectangles
// and points computed from the item rectangle and state; the Windows side only fills and draws.
#pragma once

#include "common/geometry.h"

#include <vector>

namespace card {

// Item-state bits of an owner-drawn control, as the platform defines them.
constexpr unsigned kItemSelected = 0x0001;  // pressed
constexpr unsigned kItemFocus = 0x0010;

enum class ButtonPaint { Frame, Face, LightEdge, DarkEdge };

struct ButtonFill {
  ButtonPaint paint;
  Rect rect;
  friend bool operator==(const ButtonFill&, const ButtonFill&) = default;
};

// The fills in drawing order: a one-pixel frame without its corner pixels, the face inside it,
// then the bevel (raised: two light lines top and left, two dark lines right and bottom, the
// inner ones one pixel shorter; pressed: two dark lines top and left only).
std::vector<ButtonFill> ButtonFills(const Rect& item, bool pressed);

// The caption's top-left corner: centred in the part of the button right of the decoration
// (`decorationWidth` pixels wide), shifted 2 pixels right and down only when the state is
// exactly pressed-and-focused. Halves are truncated toward zero, so a caption wider than the
// button starts left of it.
Point CaptionPosition(const Rect& item, unsigned itemState, int decorationWidth, int textWidth,
                      int textHeight);

// The width of the logo strip left of the "Visit Us" caption, with or without a logo.
constexpr int kLogoStripWidth = 48;

}  // namespace card
