// Reading the display scale (see display_dpi_win.h).
#include "framework/display_dpi_win.h"

#include "framework/entry_point_win.h"
#include "framework/gdi_win.h"

namespace card {
namespace {

// Both exist since Windows 10 (1607 and 1703); earlier systems do not scale per window.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SetDialogDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int mask, int values);
constexpr int kDisableAllDialogScaling = 1;  // DDC_DISABLE_ALL

HMODULE User32() { return GetModuleHandleA("user32.dll"); }

}  // namespace

DisplayScale ScreenScale() {
  const WindowDC screen(nullptr);
  return DisplayScale::FromDpi(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

DisplayScale WindowScale(HWND window) {
  static const auto getDpiForWindow =
      EntryPoint<GetDpiForWindowFunction>(User32(), "GetDpiForWindow");
  const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
  if (dpi != 0) return DisplayScale::FromDpi(static_cast<int>(dpi));
  return ScreenScale();
}

void KeepOwnDialogLayout(HWND dialog) {
  static const auto setBehaviour = EntryPoint<SetDialogDpiChangeBehaviorFunction>(
      User32(), "SetDialogDpiChangeBehavior");
  if (setBehaviour) {
    setBehaviour(dialog, kDisableAllDialogScaling, kDisableAllDialogScaling);
  }
}

}  // namespace card
