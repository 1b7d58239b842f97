// The table of message names, one X-macro so that the list is written once.
#include "framework/message_names_win.h"

#include "framework/window_win.h"

#include <string>

// Every message the card's windows and their controls are likely to see.
#define CARD_WINDOW_MESSAGES(X)                                                              \
  X(WM_NULL) X(WM_CREATE) X(WM_DESTROY) X(WM_MOVE) X(WM_SIZE) X(WM_ACTIVATE) X(WM_SETFOCUS)  \
  X(WM_KILLFOCUS) X(WM_ENABLE) X(WM_SETREDRAW) X(WM_SETTEXT) X(WM_GETTEXT)                   \
  X(WM_GETTEXTLENGTH) X(WM_PAINT) X(WM_CLOSE) X(WM_QUIT) X(WM_ERASEBKGND)                    \
  X(WM_SYSCOLORCHANGE) X(WM_SHOWWINDOW) X(WM_ACTIVATEAPP) X(WM_CANCELMODE) X(WM_SETCURSOR)   \
  X(WM_MOUSEACTIVATE) X(WM_CHILDACTIVATE) X(WM_GETMINMAXINFO) X(WM_ICONERASEBKGND)           \
  X(WM_NEXTDLGCTL) X(WM_DRAWITEM) X(WM_MEASUREITEM) X(WM_SETFONT) X(WM_GETFONT)              \
  X(WM_QUERYDRAGICON) X(WM_WINDOWPOSCHANGING) X(WM_WINDOWPOSCHANGED) X(WM_NOTIFY)            \
  X(WM_CONTEXTMENU) X(WM_STYLECHANGING) X(WM_STYLECHANGED) X(WM_GETICON) X(WM_SETICON)       \
  X(WM_NCCREATE) X(WM_NCDESTROY) X(WM_NCCALCSIZE) X(WM_NCHITTEST) X(WM_NCPAINT)              \
  X(WM_NCACTIVATE) X(WM_GETDLGCODE) X(WM_NCMOUSEMOVE) X(WM_NCLBUTTONDOWN) X(WM_NCLBUTTONUP)  \
  X(WM_KEYDOWN) X(WM_KEYUP) X(WM_CHAR) X(WM_SYSKEYDOWN) X(WM_SYSKEYUP) X(WM_SYSCHAR)         \
  X(WM_INITDIALOG) X(WM_COMMAND) X(WM_SYSCOMMAND) X(WM_TIMER) X(WM_HSCROLL) X(WM_VSCROLL)    \
  X(WM_INITMENU) X(WM_ENTERIDLE) X(WM_CHANGEUISTATE) X(WM_UPDATEUISTATE)                     \
  X(WM_QUERYUISTATE) X(WM_CTLCOLORMSGBOX) X(WM_CTLCOLOREDIT) X(WM_CTLCOLORLISTBOX)           \
  X(WM_CTLCOLORBTN) X(WM_CTLCOLORDLG) X(WM_CTLCOLORSCROLLBAR) X(WM_CTLCOLORSTATIC)           \
  X(WM_MOUSEMOVE) X(WM_LBUTTONDOWN) X(WM_LBUTTONUP) X(WM_LBUTTONDBLCLK) X(WM_RBUTTONDOWN)    \
  X(WM_RBUTTONUP) X(WM_CAPTURECHANGED) X(WM_IME_SETCONTEXT) X(WM_IME_NOTIFY)                 \
  X(WM_MOUSELEAVE) X(WM_PRINT) X(WM_PRINTCLIENT) X(WM_QUERYNEWPALETTE)                       \
  X(WM_PALETTEISCHANGING) X(WM_PALETTECHANGED) X(WM_DISPLAYCHANGE) X(WM_USER)                \
  X(EM_SETMARGINS) X(EM_SETSEL) X(EM_GETSEL) X(EM_SCROLLCARET) X(BM_SETSTATE)                \
  X(BM_SETSTYLE) X(BM_CLICK)

namespace card {

std::string MessageName(UINT msg) {
  switch (msg) {
#define CARD_MESSAGE_NAME(name) \
  case name:                    \
    return #name;
    CARD_WINDOW_MESSAGES(CARD_MESSAGE_NAME)
#undef CARD_MESSAGE_NAME
    case kMsgReflectedCtlColor:
      return "reflected WM_CTLCOLOR";
    case kMsgReflectedDrawItem:
      return "reflected WM_DRAWITEM";
    default: {
      // By hand rather than with snprintf, which would bring mingw's whole printf into card.exe.
      static constexpr char kDigits[] = "0123456789ABCDEF";
      std::string hex;
      for (int shift = 28; shift >= 0; shift -= 4) {
        if (shift < 16 || (msg >> shift) != 0) hex += kDigits[(msg >> shift) & 0xF];
      }
      return "0x" + hex;
    }
  }
}

}  // namespace card
