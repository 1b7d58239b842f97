// The two-pass message control (see message_edit_win.h).
#include "message/message_edit_win.h"

#include "message/message_font_win.h"

namespace card {

void MessageEdit::PreSubclassWindow() { SetScale(DisplayScale()); }

void MessageEdit::SetScale(const DisplayScale& scale) {
  const int margin = scale.ToDevice(5);
  shadowOffset_ = scale.ToDevice(1);
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont(scale)), TRUE);
  Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

void MessageEdit::OnPaint() {
  // Enabled while painting, as a disabled edit greys its text.
  shadowPass_ = true;
  EnableWindow(Handle(), TRUE);
  Default();
  shadowPass_ = false;
  InvalidateRect(Handle(), nullptr, FALSE);
  Default();
  EnableWindow(Handle(), FALSE);
  // Enabling and disabling invalidated the control again; it is painted now.
  ValidateRgn(Handle(), nullptr);
}

HBRUSH MessageEdit::OnCtlColor(HDC dc, UINT) {
  if (shadowPass_) {
    OffsetWindowOrgEx(dc, -shadowOffset_, -shadowOffset_, nullptr);
    SetBkColor(dc, colours_.background);
    SetTextColor(dc, colours_.shadow);
    return colours_.backgroundBrush;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours_.text);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace card
