// Libraries from the system's own folder only. Windows looks for a library that is not on its
// known list in the program's folder first, and a card package is started from Downloads or a
// mail attachment folder, where anyone can leave a winmm.dll beside it. So the program narrows
// the search to System32 before anything else runs, and loads its run-time libraries by name
// from there alone.
#pragma once

#include <windows.h>

namespace card {

// Makes System32 the one folder that later library loads, the system's own included, search.
// Call first thing in WinMain.
void RestrictLibrarySearch();

// The library `name` (a file name such as L"winmm.dll") from System32; null when it is not
// there or cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace card
