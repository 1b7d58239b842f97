// marker_library.dll: a library of our own that tells when a program loads it. Placed beside a
// card package under the names of libraries the card loads (winmm.dll, MAPI32.dll), it shows
// whether the card took a planted library for the system's: when loaded it appends its own
// path as a line to the file CARD_MARKER_FILE names. Mark, which does nothing, lets rundll32
// load it to show that the mark works.
#include <windows.h>

extern "C" __declspec(dllexport) void CALLBACK Mark(HWND, HINSTANCE, LPSTR, int) {}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t marker[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"CARD_MARKER_FILE", marker, MAX_PATH)) return TRUE;
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  HANDLE file = CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  DWORD written = 0;
  WriteFile(file, path, length, &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
  return TRUE;
}
