// Test helpers for the new-card dialogs and files under Wine: a scratch folder that is removed
// with its (possibly read-only) files, whole-file reads and writes, and a driver that acts on
// the modal dialogs of this thread from a timer, since DoModal does not return until they end.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace card::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes AsBytes(std::string_view text) { return {text.begin(), text.end()}; }

// Writes a whole file; false when it cannot.
inline bool WriteFileBytes(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                            nullptr) && written == bytes.size();
  CloseHandle(file);
  return ok;
}

// A whole file's bytes; empty for a missing file.
inline Bytes ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  Bytes bytes(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty()) {
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  }
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

inline bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The names of the files in a folder, sorted.
inline std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// A fresh folder under the temporary folder, removed with its files at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::string(temp) + "newcard-" + test->name() + "-" +
            std::to_string(GetCurrentProcessId());
    Clear();
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    Clear();
    RemoveDirectoryA(path_.c_str());
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Path(const std::string& name) const { return path_ + "\\" + name; }

 private:
  void Clear() {
    for (const std::string& name : FilesIn(path_)) {
      SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(Path(name).c_str());
    }
  }
  std::string path_;
};

inline std::string WindowText(HWND window) {
  char text[2048] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline bool IsShown(HWND dialog, int id) {
  return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

struct DialogSearch {
  const std::function<bool(HWND)>& accept;
  HWND found;
};

inline BOOL CALLBACK CheckThreadWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<DialogSearch*>(data);
  if (ClassOf(window) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window) &&
      search.accept(window)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// The dialog of this thread that the user can act on now (visible and enabled) and that
// `accept` takes; null when there is none.
inline HWND ThreadDialog(const std::function<bool(HWND)>& accept) {
  DialogSearch search{accept, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), CheckThreadWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A dialog whose control `id` is of window class `className`.
inline std::function<bool(HWND)> HasControl(int id, const char* className) {
  return [id, className](HWND dialog) {
    HWND control = GetDlgItem(dialog, id);
    return control && ClassOf(control) == className;
  };
}

// A message box: its text is the static control 0xFFFF.
inline HWND MessageBoxOf(HWND owner) {
  return ThreadDialog([owner](HWND box) {
    return GetWindow(box, GW_OWNER) == owner && GetDlgItem(box, 0xFFFF) != nullptr;
  });
}

inline void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Acts on the modal windows of this thread from a timer that fires inside whatever modal loop
// runs. Each step waits for its window, then acts on it; actions post rather than send, so
// no modal loop nests inside the timer. A step whose window does not come within the deadline,
// or a modal loop still running that long after the last step, fails the driver, which then
// cancels every dialog of the thread so the test can end.
class ModalDriver {
 public:
  using Find = std::function<HWND()>;
  using Act = std::function<void(HWND)>;

  explicit ModalDriver(DWORD deadlineMs = 10000) : deadlineMs_(deadlineMs) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 15, Tick);
  }
  ~ModalDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  ModalDriver& Then(Find find, Act act) {
    steps_.push_back({std::move(find), std::move(act)});
    return *this;
  }
  // "" when every step ran; otherwise which one did not.
  std::string Failure() const {
    if (!failure_.empty()) return failure_;
    if (!steps_.empty()) return "step " + std::to_string(done_ + 1) + " never ran";
    return "";
  }

 private:
  struct Step {
    Find find;
    Act act;
  };

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) current_->Run();
  }

  void Run() {
    if (!failure_.empty()) {
      CancelEverything();
      return;
    }
    if (waitingSince_ == 0) waitingSince_ = GetTickCount();
    if (steps_.empty()) {
      if (GetTickCount() - waitingSince_ > deadlineMs_) {
        failure_ = "a window stayed open after the last step";
        CancelEverything();
      }
      return;
    }
    if (HWND window = steps_.front().find()) {
      const Act act = std::move(steps_.front().act);
      steps_.pop_front();
      ++done_;
      waitingSince_ = 0;
      act(window);
    } else if (GetTickCount() - waitingSince_ > deadlineMs_) {
      failure_ = "step " + std::to_string(done_ + 1) + ": its window did not appear";
      CancelEverything();
    }
  }

  static void CancelEverything() {
    if (HWND open = ThreadDialog([](HWND) { return true; })) {
      PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    }
  }

  static inline ModalDriver* current_ = nullptr;
  DWORD deadlineMs_;
  UINT_PTR timer_ = 0;
  std::deque<Step> steps_;
  int done_ = 0;
  DWORD waitingSince_ = 0;
  std::string failure_;
};

}  // namespace card::test
