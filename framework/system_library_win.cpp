// Libraries from System32 only (see system_library_win.h).
#include "framework/system_library_win.h"

#include "framework/entry_point_win.h"

#include <string>

namespace card {
namespace {

// Declared by the headers only for newer Windows versions than the card targets.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

}  // namespace

void RestrictLibrarySearch() {
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  // Without the newer call (an old, unpatched system) at least the current folder leaves the
  // search; full System32 paths keep our own loads safe there.
  if (auto setDefault =
          EntryPoint<SetDefaultDllDirectoriesFunction>(kernel, "SetDefaultDllDirectories")) {
    setDefault(kSearchSystem32);
  }
  if (auto setDirectory = EntryPoint<SetDllDirectoryFunction>(kernel, "SetDllDirectoryW")) {
    setDirectory(L"");
  }
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (HMODULE module = LoadLibraryExW(name, nullptr, kSearchSystem32)) return module;
  // A system that predates the flag refuses it as a parameter; a full path does the same there.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  const std::wstring folder = SystemFolder();
  if (folder.empty()) return nullptr;
  return LoadLibraryW((folder + L"\\" + name).c_str());
}

}  // namespace card
