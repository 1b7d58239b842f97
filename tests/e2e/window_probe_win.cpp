// window_probe.exe: tells an end-to-end test what the Windows programs of its Wine session
// show, which pixels and X window titles alone cannot (the text of a static or an edit, which
// of two stacked controls is visible). Run in the same Wine prefix as the program under test:
//   window_probe.exe TITLE
// prints each visible top-level window whose title is TITLE, topmost first, then its controls:
//   window HWND class=CLASS owner=HWND client=X,Y,W,H program=PATH
//   control ID class=CLASS visible=0|1 rect=X,Y,W,H text=TEXT
//   window_probe.exe --hold
// keeps a hidden window until it is ended, and with it the session's desktop: Wine brings the
// desktop up for the first program that needs it and takes it down after the last, and a
// program starting while that happens can stall for many seconds.
// Rectangles are in screen pixels, as xdotool clicks them; PATH is the file of the program
// that owns the window (in UTF-8; TEXT is in the ANSI code page), so a test can tell its own
// program's windows from others'. TEXT and PATH are escaped: \r, \n, \\ and \xNN for other bytes below 0x20 or from 0x7F up, so each
// record stays on one line.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// The window's text as the window itself gives it, also across processes.
std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(copied);
  return text;
}

// The program's path in UTF-8: the ANSI code page may not spell it.
std::string ProgramOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (!process) return "";
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameExW(process, nullptr, path, MAX_PATH);
  CloseHandle(process);
  char utf8[4 * MAX_PATH] = {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), utf8,
                                       sizeof utf8, nullptr, nullptr);
  return std::string(utf8, size > 0 ? static_cast<std::size_t>(size) : 0);
}

std::string ClassOf(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

void PrintWindow(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  std::printf("window %p class=%s owner=%p client=%ld,%ld,%ld,%ld program=%s\n",
              static_cast<void*>(window), ClassOf(window).c_str(),
              static_cast<void*>(GetWindow(window, GW_OWNER)), origin.x, origin.y, client.right,
              client.bottom, Escaped(ProgramOf(window)).c_str());
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    std::printf("control %d class=%s visible=%d rect=%ld,%ld,%ld,%ld text=%s\n",
                GetDlgCtrlID(child), ClassOf(child).c_str(), IsWindowVisible(child) ? 1 : 0,
                r.left, r.top, r.right - r.left, r.bottom - r.top, Escaped(TextOf(child)).c_str());
  }
}

struct Search {
  std::string title;
  std::vector<HWND> found;
};

// Titles are compared as the system keeps them, without a message to each window's owner: a
// program that is busy must not hold up the search.
BOOL CALLBACK CheckWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  if (IsWindowVisible(window) && search.title == title) search.found.push_back(window);
  return TRUE;
}

int Hold() {
  HWND keeper = CreateWindowExA(0, "Static", "window_probe keeper", WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!keeper) return 1;
  std::printf("holding\n");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_probe TITLE | window_probe --hold\n");
    return 2;
  }
  if (std::string(argv[1]) == "--hold") return Hold();
  Search search{argv[1], {}};
  EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.found) PrintWindow(window);
  return 0;
}
