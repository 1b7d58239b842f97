// Drawing of the card buttons; the geometry comes from shell/button_geometry.h.
#include "shell/card_button_win.h"

#include "shell/button_geometry.h"
#include "shell/card_look_win.h"

#include <string>

namespace card {
namespace {

// One colour over a rectangle, the way the buttons draw every line: an opaque empty text.
void SolidFill(HDC dc, const Rect& r, COLORREF colour) {
  SetBkColor(dc, colour);
  const RECT rect{r.left, r.top, r.right, r.bottom};
  ExtTextOutA(dc, r.left, r.top, ETO_OPAQUE, &rect, "", 0, nullptr);
}

}  // namespace

void CardButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const CardLook& look = TheCardLook();
  const DisplayScale& scale = look.scale;
  const Font font = MakeButtonFont(scale);
  const Selection fontSelection(dc, font.Get());

  const Rect itemRect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  for (const ButtonFill& fill : ScaledButtonFills(itemRect, pressed, scale)) {
    switch (fill.paint) {
      case ButtonPaint::Frame:
        SolidFill(dc, fill.rect, GetSysColor(COLOR_WINDOWFRAME));
        break;
      case ButtonPaint::Face: {
        const RECT face{fill.rect.left, fill.rect.top, fill.rect.right, fill.rect.bottom};
        FillRect(dc, &face, look.buttonFaceBrush.Get());
        break;
      }
      case ButtonPaint::LightEdge:
        SolidFill(dc, fill.rect, GetSysColor(COLOR_BTNHIGHLIGHT));
        break;
      case ButtonPaint::DarkEdge:
        SolidFill(dc, fill.rect, GetSysColor(COLOR_BTNSHADOW));
        break;
    }
  }

  const int decoration = DrawDecoration(dc, pressed);
  std::string caption(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
  caption.resize(static_cast<size_t>(
      GetWindowTextA(Handle(), caption.data(), static_cast<int>(caption.size()))));
  SIZE text{};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  const Point at =
      CaptionPosition(itemRect, item.itemState, decoration, text.cx, text.cy, scale);
  const int shadow = scale.ToDevice(1);

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.colours.buttonTextShadow);
  TextOutA(dc, at.x, at.y, caption.c_str(), static_cast<int>(caption.size()));
  SetTextColor(dc, look.colours.buttonText);
  TextOutA(dc, at.x - shadow, at.y - shadow, caption.c_str(), static_cast<int>(caption.size()));
}

int CardButton::DrawDecoration(HDC, bool) { return 0; }

int LogoButton::DrawDecoration(HDC dc, bool) {
  // The logo stays in place when the button is pressed; the strip is there even without one.
  const CardLook& look = TheCardLook();
  if (look.logo) look.logo->Draw(dc, {}, look.scale);
  return look.scale.ToDevice(kLogoStripWidth);
}

}  // namespace card
