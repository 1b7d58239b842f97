// figure_tracker.exe: follows the windows of one card program as it runs, closely enough to see
// every step of its figure (steps come every 100 ms; the tracker looks every few milliseconds),
// and writes what changed to a file for the end-to-end tests:
//   figure_tracker.exe PROGRAM TITLE OUT
// PROGRAM is the Windows path of the card's executable (its windows are told from others' by
// the file of their process), TITLE the card window's title. OUT gets, one line each:
//   workarea L T R B            first, the desktop work area
//   MS figure X Y SHOWN         the figure window's top-left and visibility (0 or 1)
//   MS card X Y W H SHOWN       the card window's rectangle and visibility
//   MS end                      the program's windows are gone; the tracker ends
// MS counts milliseconds from the tracker's start. A line is written only when its values
// change, and each line is flushed at once, so a test can read the file as it grows.
#include <windows.h>

#include <psapi.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <string>

namespace {

struct Seen {
  bool present = false;
  bool shown = false;
  RECT rect{};
  bool operator==(const Seen& other) const {
    return present == other.present && shown == other.shown && EqualRect(&rect, &other.rect);
  }
};

struct Scan {
  const std::string* title;
  std::map<DWORD, bool>* ours;  // process id -> runs PROGRAM
  const std::string* program;
  Seen figure;
  Seen card;
  bool any = false;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool RunsProgram(DWORD process, const std::string& program) {
  HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
  if (!handle) return false;
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameExA(handle, nullptr, path, MAX_PATH);
  CloseHandle(handle);
  return Lower(std::string(path, length)) == Lower(program);
}

void Note(Seen& seen, HWND window) {
  seen.present = true;
  seen.shown = IsWindowVisible(window) != FALSE;
  GetWindowRect(window, &seen.rect);
}

BOOL CALLBACK Look(HWND window, LPARAM data) {
  auto& scan = *reinterpret_cast<Scan*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  auto known = scan.ours->find(process);
  if (known == scan.ours->end()) {
    known = scan.ours->emplace(process, RunsProgram(process, *scan.program)).first;
  }
  if (!known->second) return TRUE;
  scan.any = true;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  // The figure is the program's topmost static control (the music's hidden notice window is
  // a static control too).
  const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
  if (lstrcmpiA(name, "Static") == 0 && (exStyle & WS_EX_TOPMOST)) {
    Note(scan.figure, window);
  } else if (std::string(name) == "#32770") {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (*scan.title == title) Note(scan.card, window);
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: figure_tracker PROGRAM TITLE OUT\n");
    return 2;
  }
  const std::string program = argv[1];
  const std::string title = argv[2];
  FILE* out = std::fopen(argv[3], "w");
  if (!out) return 1;
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  std::fprintf(out, "workarea %ld %ld %ld %ld\n", area.left, area.top, area.right, area.bottom);
  std::fflush(out);

  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  std::map<DWORD, bool> ours;
  Seen figure, card;
  bool appeared = false;
  for (;;) {
    Scan scan{&title, &ours, &program, {}, {}, false};
    EnumWindows(Look, reinterpret_cast<LPARAM>(&scan));
    QueryPerformanceCounter(&now);
    const long long ms = (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
    if (scan.figure.present && !(scan.figure == figure)) {
      std::fprintf(out, "%lld figure %ld %ld %d\n", ms, scan.figure.rect.left,
                   scan.figure.rect.top, scan.figure.shown ? 1 : 0);
    }
    if (scan.card.present && !(scan.card == card)) {
      const RECT& r = scan.card.rect;
      std::fprintf(out, "%lld card %ld %ld %ld %ld %d\n", ms, r.left, r.top, r.right - r.left,
                   r.bottom - r.top, scan.card.shown ? 1 : 0);
    }
    figure = scan.figure;
    card = scan.card;
    if (scan.any) appeared = true;
    if (appeared && !scan.any) {
      std::fprintf(out, "%lld end\n", ms);
      std::fclose(out);
      return 0;
    }
    std::fflush(out);
    Sleep(4);
  }
}
