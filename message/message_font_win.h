// The card's message font: "Comic Sans MS", 20 pixels, bold. Made once, before the program's
// work starts, and kept to the end; the message controls and the new-message dialog use it.
#pragma once

#include <windows.h>

namespace card {

HFONT MessageFont();

}  // namespace card
