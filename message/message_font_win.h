// The card's message font: "Comic Sans MS", 20 card pixels, bold, made at a display scale so
// that the text is drawn sharp at the screen's own resolution. Each scale's font is made once,
// when first asked for, and kept to the end; the message controls and the new-message dialog
// use it.
#pragma once

#include "common/display_scale.h"

#include <windows.h>

namespace card {

HFONT MessageFont(const DisplayScale& scale = {});

}  // namespace card
