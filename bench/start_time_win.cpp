// Measures how long card.exe takes to show itself as a person sees it: from starting the
// program to its first visible window (the figure), beside the floor program's bare window
// (floor_win.cpp). The median of several rounds, card and floor taking turns so both meet the
// machine alike. (CPU while playing is measured from outside Wine, which does not report the
// processor time of other processes: see feel-under-wine.)
//   start_time.exe CARD_EXE FLOOR_EXE [ROUNDS]     (run in the card folder)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kGiveUpMs = 20000;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD process;
  bool found;
};

BOOL CALLBACK IsVisibleWindowOf(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && IsWindowVisible(window)) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

// A started program; stopped when it goes out of scope.
class Started {
 public:
  explicit Started(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    started_ = Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
      std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
      std::exit(1);
    }
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  ~Started() {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, INFINITE);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  // Seconds from the start to the first visible window.
  double UntilVisible() const {
    const DWORD giveUp = GetTickCount() + kGiveUpMs;
    for (;;) {
      Search search{process_.dwProcessId, false};
      EnumWindows(IsVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
      if (search.found) return Now() - started_;
      if (GetTickCount() > giveUp) {
        std::fprintf(stderr, "no window showed within %lu ms\n", kGiveUpMs);
        std::exit(1);
      }
      Sleep(1);
    }
  }


 private:
  PROCESS_INFORMATION process_{};
  double started_ = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: start_time CARD_EXE FLOOR_EXE [ROUNDS]\n");
    return 2;
  }
  const std::string card = std::string("\"") + argv[1] + "\"";
  const std::string floor = std::string("\"") + argv[2] + "\"";
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;

  // One round of each first, so that neither pays for loading the system's libraries.
  Started(card).UntilVisible();
  Started(floor + " start").UntilVisible();
  std::vector<double> cardStarts, floorStarts;
  for (int i = 0; i < rounds; ++i) {
    cardStarts.push_back(Started(card).UntilVisible());
    floorStarts.push_back(Started(floor + " start").UntilVisible());
  }
  const double cardStart = Median(cardStarts) * 1000;
  const double floorStart = Median(floorStarts) * 1000;
  std::printf("start to first visible window: card.exe %.0f ms, floor %.0f ms, ratio %.2f\n",
              cardStart, floorStart, cardStart / floorStart);
  return 0;
}
