// The system's own sentence for a Win32 error code, for messages a person reads.
#pragma once

#include <windows.h>

#include <string>

namespace card {

// FormatMessage's text in UTF-8 without its trailing line break; "Error N." when the system
// has none.
std::string SystemErrorText(DWORD code);

}  // namespace card
