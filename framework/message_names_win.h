// Readable names of window messages for logs and test failures ("WM_PAINT", or "0x8003" for a
// message the table does not know).
#pragma once

#include <windows.h>

#include <string>

namespace card {

std::string MessageName(UINT msg);

}  // namespace card
