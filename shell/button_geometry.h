// Where an owner-drawn card button puts its frame, face, bevel and caption, as plain rectangles
// and points computed from the item rectangle and state; the Windows side only fills and draws.
#pragma once

#include "common/display_scale.h"
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

// The same fills for a button of `device` pixels at `scale`: worked out for the button's size in
// card pixels, each edge then mapped to device pixels from the nearer side of the button, so
// frame and bevel lines keep their scaled widths at both ends whatever the rounding. At 100 %
// these are ButtonFills(device, pressed).
std::vector<ButtonFill> ScaledButtonFills(const Rect& device, bool pressed,
                                          const DisplayScale& scale);

// The caption's top-left corner: centred in the part of the button right of the decoration
// (`decorationWidth` pixels wide), shifted 2 pixels right and down only when the state is
// exactly pressed-and-focused (2 card pixels at `scale`). Halves are truncated toward zero, so a
// caption wider than the button starts left of it. All other values are device pixels.
Point CaptionPosition(const Rect& item, unsigned itemState, int decorationWidth, int textWidth,
                      int textHeight, const DisplayScale& scale = {});

// The width of the logo strip left of the "Visit Us" caption, with or without a logo.
constexpr int kLogoStripWidth = 48;

}  // namespace card
