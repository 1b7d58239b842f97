// Where the card learns its display scale: the screen's DPI, or a window's (the DPI of the
// monitor it is on, where the system tracks that per window). Wine reads the DPI set in its
// prefix and never stretches a program's output, so the card scales itself whatever awareness
// the system grants it.
#pragma once

#include "common/display_scale.h"

#include <windows.h>

namespace card {

// The screen's scale: the DPI of the screen device context.
DisplayScale ScreenScale();
// The scale of the monitor `window` is on where the system can say so, else the screen's.
DisplayScale WindowScale(HWND window);
// Stops the system from re-laying out a dialog and its controls' fonts when its DPI changes:
// the dialog does that itself on WM_DPICHANGED. Nothing where the system does not do it.
void KeepOwnDialogLayout(HWND dialog);

}  // namespace card
