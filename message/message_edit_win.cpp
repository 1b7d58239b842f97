// The two-pass message control (see message_edit_win.h).
#include "message/message_edit_win.h"

#include "message/message_font_win.h"

namespace card {

void MessageEdit::PreSubclassWindow() {
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), TRUE);
  Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 5));
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
    OffsetWindowOrgEx(dc, -1, -1, nullptr);
    SetBkColor(dc, colours_.background);
    SetTextColor(dc, colours_.shadow);
    return colours_.backgroundBrush;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours_.text);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace card
