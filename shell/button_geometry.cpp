// Button geometry (see button_geometry.h).
#include "shell/button_geometry.h"

namespace card {
namespace {

Rect Sized(int x, int y, int cx, int cy) { return Rect{x, y, x + cx, y + cy}; }

// An edge `card` pixels from the start of a side `cardSize` long, in device pixels along a side
// `deviceSize` long: measured from the nearer end.
int MapEdge(int card, int cardSize, int deviceSize, const DisplayScale& scale) {
  return 2 * card <= cardSize ? scale.ToDevice(card)
                              : deviceSize - scale.ToDevice(cardSize - card);
}

}  // namespace

std::vector<ButtonFill> ButtonFills(const Rect& item, bool pressed) {
  const int l = item.left, t = item.top, r = item.right, b = item.bottom;
  const int x0 = l + 1, y0 = t + 1;
  const int w = item.Width() - 2, h = item.Height() - 2;
  std::vector<ButtonFill> fills = {
      {ButtonPaint::Frame, Sized(x0, t, w, 1)},
      {ButtonPaint::Frame, Sized(x0, b - 1, w, 1)},
      {ButtonPaint::Frame, Sized(l, y0, 1, h)},
      {ButtonPaint::Frame, Sized(r - 1, y0, 1, h)},
      {ButtonPaint::Face, Sized(x0, y0, w, h)},
  };
  if (pressed) {
    fills.push_back({ButtonPaint::DarkEdge, Sized(x0, y0, 2, h)});
    fills.push_back({ButtonPaint::DarkEdge, Sized(x0, y0, w, 2)});
    return fills;
  }
  fills.push_back({ButtonPaint::LightEdge, Sized(x0, y0, 2, h)});
  fills.push_back({ButtonPaint::LightEdge, Sized(x0, y0, w, 2)});
  fills.push_back({ButtonPaint::DarkEdge, Sized(x0 + w - 1, y0, 1, h)});
  fills.push_back({ButtonPaint::DarkEdge, Sized(x0, y0 + h - 1, w, 1)});
  fills.push_back({ButtonPaint::DarkEdge, Sized(x0 + w - 2, y0 + 1, 1, h - 1)});
  fills.push_back({ButtonPaint::DarkEdge, Sized(x0 + 1, y0 + h - 2, w - 1, 1)});
  return fills;
}

std::vector<ButtonFill> ScaledButtonFills(const Rect& device, bool pressed,
                                          const DisplayScale& scale) {
  const int width = device.Width(), height = device.Height();
  const int cardWidth = scale.ToCard(width), cardHeight = scale.ToCard(height);
  std::vector<ButtonFill> fills = ButtonFills(Rect{0, 0, cardWidth, cardHeight}, pressed);
  for (ButtonFill& fill : fills) {
    const Rect& r = fill.rect;
    fill.rect = Rect{MapEdge(r.left, cardWidth, width, scale),
                     MapEdge(r.top, cardHeight, height, scale),
                     MapEdge(r.right, cardWidth, width, scale),
                     MapEdge(r.bottom, cardHeight, height, scale)}
                    .Offset(device.left, device.top);
  }
  return fills;
}

Point CaptionPosition(const Rect& item, unsigned itemState, int decorationWidth, int textWidth,
                      int textHeight, const DisplayScale& scale) {
  // Only the exact state "pressed and focused" moves the caption; a pressed button with any
  // other bit set keeps it in place.
  const int shift = scale.ToDevice(2);
  const Rect placed =
      itemState == (kItemSelected | kItemFocus) ? item.Offset(shift, shift) : item;
  const int d = decorationWidth;
  return Point{placed.left + d + (item.Width() - textWidth - d) / 2,
               placed.top + (item.Height() - textHeight) / 2};
}

}  // namespace card
