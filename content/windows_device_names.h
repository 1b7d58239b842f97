// Names Windows keeps for devices: a file so named opens the device (a console, a printer, a
// serial port) instead of a file, whatever extension follows.
#pragma once

#include <string_view>

namespace card {

// Whether Windows takes the file name `name` for a device: its part before the first dot, with
// trailing spaces dropped and in any ASCII case, is CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// CLOCK$, or COM or LPT followed by a digit or a superscript 1, 2 or 3 (in UTF-8, or as the
// single Windows-1252 byte a layout's names are written in).
bool IsDeviceName(std::string_view name);

}  // namespace card
