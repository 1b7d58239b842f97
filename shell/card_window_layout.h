// The card window as it is laid out when it starts: its size, and where its four buttons and
// its two message edits sit in its client area, in card pixels (on a scaled display the window
// maps them to device pixels, see common/display_scale.h). Bounds in a script may refer to
// these controls by id, so every host of the card must place them alike.
#pragma once

#include "common/geometry.h"
#include "res/resource.h"

#include <optional>

namespace card {

// The window, its one-pixel border included.
constexpr int kCardWindowWidth = 630;
constexpr int kCardWindowHeight = 430;
constexpr int kCardWindowBorder = 1;
constexpr int kCardClientWidth = kCardWindowWidth - 2 * kCardWindowBorder;
constexpr int kCardClientHeight = kCardWindowHeight - 2 * kCardWindowBorder;

// Control ids, as the card window's dialog template numbers them: Repeat and Close are the
// system's OK and Cancel.
constexpr int kRepeatButtonId = 1;
constexpr int kCloseButtonId = 2;
constexpr int kVisitButtonId = IDC_VISIT_US;
constexpr int kNewCardButtonId = IDC_MAKE_NEW_CARD;
constexpr int kLeftMessageId = IDC_MESSAGE_LEFT;
constexpr int kCentredMessageId = IDC_MESSAGE_CENTRED;

struct ControlPlace {
  int id = 0;
  Rect rect;  // client area, card pixels
};

// The buttons from left to right, then the message edits. The left edit is moved where it is
// shown; the centred one keeps its place from the template (two pixels a dialog unit under the
// template's font), which puts it one pixel up and left of the other.
inline constexpr ControlPlace kCardControlPlaces[] = {
    {kRepeatButtonId, {15, 359, 105, 419}},    {kNewCardButtonId, {107, 359, 313, 419}},
    {kVisitButtonId, {315, 359, 521, 419}},    {kCloseButtonId, {523, 359, 613, 419}},
    {kLeftMessageId, {37, 127, 589, 345}},     {kCentredMessageId, {36, 126, 588, 344}},
};

// The control's rectangle, or nothing when the card window has no control of that id.
constexpr std::optional<Rect> CardControlRect(int id) {
  for (const ControlPlace& place : kCardControlPlaces) {
    if (place.id == id) return place.rect;
  }
  return std::nullopt;
}

}  // namespace card
