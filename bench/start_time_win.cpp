// Measures how long a program takes to show itself as a person sees it: from starting it to the
// first window that becomes visible (the figure, for a card), beside the floor program's bare
// window (floor_win.cpp). The median of several rounds, the programs taking turns so all meet
// the machine alike. A card package shows its figure from the card program it starts, so the
// window may belong to another process; everything the start made is stopped after each round.
// (CPU while playing is measured from outside Wine, which does not report the processor time of
// other processes: see feel-under-wine.)
//   start_time.exe ROUNDS FLOOR_EXE PROGRAM...     (run in the card folder)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
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

BOOL CALLBACK AddIfVisible(HWND window, LPARAM lParam) {
  if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(lParam)->insert(window);
  return TRUE;
}

std::set<HWND> VisibleWindows() {
  std::set<HWND> windows;
  EnumWindows(AddIfVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The private folders a card package unpacks into, which a stopped card leaves behind; removed
// between rounds so that no round pays for clearing another's.
void RemoveUnpackedCards() {
  char temporary[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temporary);
  const std::string pattern = std::string(temporary) + "ZelkCard-*";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string folder = std::string(temporary) + found.cFileName;
    WIN32_FIND_DATAA file;
    HANDLE files = FindFirstFileA((folder + "\\*").c_str(), &file);
    if (files != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((folder + "\\" + file.cFileName).c_str());
      } while (FindNextFileA(files, &file));
      FindClose(files);
    }
    RemoveDirectoryA(folder.c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// A started program and every process it starts, all stopped when this goes out of scope.
class Started {
 public:
  explicit Started(const std::string& commandLine) : before_(VisibleWindows()) {
    job_ = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    started_ = Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &process_)) {
      std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
      std::exit(1);
    }
    AssignProcessToJobObject(job_, process_.hProcess);
    ResumeThread(process_.hThread);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  ~Started() {
    TerminateJobObject(job_, 0);
    WaitForSingleObject(process_.hProcess, INFINITE);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    CloseHandle(job_);
    Sleep(50);  // let the stopped processes' windows go
    RemoveUnpackedCards();
  }

  // Seconds from the start to the first window that became visible since.
  double UntilVisible() const {
    const DWORD giveUp = GetTickCount() + kGiveUpMs;
    for (;;) {
      for (HWND window : VisibleWindows()) {
        if (!before_.count(window)) return Now() - started_;
      }
      if (GetTickCount() > giveUp) {
        std::fprintf(stderr, "no window showed within %lu ms\n", kGiveUpMs);
        std::exit(1);
      }
      Sleep(1);
    }
  }

 private:
  std::set<HWND> before_;
  HANDLE job_ = nullptr;
  PROCESS_INFORMATION process_{};
  double started_ = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: start_time ROUNDS FLOOR_EXE PROGRAM...\n");
    return 2;
  }
  const int rounds = std::max(1, std::atoi(argv[1]));
  std::vector<std::string> commands{std::string("\"") + argv[2] + "\" start"};
  for (int i = 3; i < argc; ++i) commands.push_back(std::string("\"") + argv[i] + "\"");

  // One round of each first, so that none pays for loading the system's libraries.
  for (const std::string& command : commands) Started(command).UntilVisible();
  std::vector<std::vector<double>> starts(commands.size());
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < commands.size(); ++i) {
      starts[i].push_back(Started(commands[i]).UntilVisible());
    }
  }
  const double floor = Median(starts[0]) * 1000;
  std::printf("start to the first visible window (median of %d rounds):\n", rounds);
  std::printf("  %-14s %4.0f ms\n", argv[2], floor);
  for (std::size_t i = 1; i < commands.size(); ++i) {
    const double start = Median(starts[i]) * 1000;
    std::printf("  %-14s %4.0f ms, ratio to the floor %.2f\n", argv[i + 2], start,
                start / floor);
  }
  return 0;
}
