// A function of a library loaded at run time, as its real type. The card loads some system
// libraries only when they are first needed, so that they do not slow its start.
#pragma once

#include <windows.h>

namespace card {

// Null when the module is null or lacks the function. GetProcAddress hands back a generic
// function pointer; the generic no-argument type in between makes the cast explicit.
template <class Function>
Function EntryPoint(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace card
