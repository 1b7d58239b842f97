// A stand-in for the simple mail library, built as a DLL for the tests: it exports the three
// entry points the card uses with their published signatures and records every call, one line
// each, in the file named by CARD_FAKE_MAIL_LOG. CARD_FAKE_MAIL_LOGON lists the results of the
// successive logons in one load of the library ("3,0": refused, then accepted; 0 once the list
// has run out). Built with CARD_FAKE_MAIL_WITHOUT_SEND it lacks MAPISendDocuments.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr ULONG_PTR kSession = 0x5E55;
int logonCalls = 0;

std::string Environment(const char* name) {
  char value[1024] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void Record(const std::string& line) {
  const std::string path = Environment("CARD_FAKE_MAIL_LOG");
  if (path.empty()) return;
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// The caption of the window that owns the mail program's user interface, or "none".
std::string Parent(ULONG_PTR uiParent) {
  HWND window = reinterpret_cast<HWND>(uiParent);
  if (!window) return "none";
  if (!IsWindow(window)) return "invalid";
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof caption);
  return "\"" + std::string(caption) + "\"";
}

std::string Text(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }

ULONG NextLogonResult() {
  const std::string results = Environment("CARD_FAKE_MAIL_LOGON");
  std::size_t start = 0;
  for (int i = 0; i < logonCalls && start != std::string::npos; ++i) {
    start = results.find(',', start);
    if (start != std::string::npos) ++start;
  }
  ++logonCalls;
  if (start == std::string::npos || start >= results.size()) return 0;
  return std::strtoul(results.c_str() + start, nullptr, 10);
}

}  // namespace

extern "C" {

__declspec(dllexport) ULONG WINAPI MAPILogon(ULONG_PTR uiParent, LPSTR profileName,
                                             LPSTR password, ULONG flags, ULONG reserved,
                                             ULONG_PTR* session) {
  const ULONG result = NextLogonResult();
  if (result == 0 && session) *session = kSession;
  Record("MAPILogon parent=" + Parent(uiParent) + " profile=" + Text(profileName) +
         " password=" + Text(password) + " flags=" + std::to_string(flags) +
         " reserved=" + std::to_string(reserved) + " -> " + std::to_string(result));
  return result;
}

__declspec(dllexport) ULONG WINAPI MAPILogoff(ULONG_PTR session, ULONG_PTR uiParent, ULONG flags,
                                              ULONG reserved) {
  Record("MAPILogoff session=" + std::to_string(session) + " parent=" + Parent(uiParent) +
         " flags=" + std::to_string(flags) + " reserved=" + std::to_string(reserved));
  return 0;
}

#ifndef CARD_FAKE_MAIL_WITHOUT_SEND
__declspec(dllexport) ULONG WINAPI MAPISendDocuments(ULONG_PTR uiParent, LPSTR delimiter,
                                                     LPSTR filePaths, LPSTR fileNames,
                                                     ULONG reserved) {
  Record("MAPISendDocuments parent=" + Parent(uiParent) + " delimiter=" + Text(delimiter) +
         " paths=" + Text(filePaths) + " names=" + Text(fileNames) +
         " reserved=" + std::to_string(reserved));
  return 0;
}
#endif

}  // extern "C"
