// Running the unpacked card program: started in the card's folder (its working folder, and the
// folder it finds card.mid in) with the package's path as its one argument, and waited for.
#pragma once

#include "common/result.h"

#include <windows.h>

#include <string>

namespace card {

// The program's exit code once it has ended; a sentence when it cannot be started.
Result<DWORD> RunCardProgram(const std::wstring& program, const std::wstring& folder,
                             const std::wstring& packagePath);

}  // namespace card
