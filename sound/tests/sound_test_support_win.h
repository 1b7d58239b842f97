// What the sound tests share: a bank of clips to play, a window that collects the
// WM_SOUNDDONE notices posted to it, and the fake device.
#pragma once

#include "sound/tests/fake_winmm_win.h"
#include "sound/wave_sound_win.h"

#include <cstdint>
#include <vector>

namespace card::test {

struct Notice {
  WPARAM wParam;
  LPARAM lParam;
};

// A hidden message-only window to own sounds; collects the notices posted to it.
class NoticeWindow {
 public:
  NoticeWindow();
  ~NoticeWindow();
  NoticeWindow(const NoticeWindow&) = delete;
  NoticeWindow& operator=(const NoticeWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // The WM_SOUNDDONE notices waiting in the queue, taken out of it.
  std::vector<Notice> TakeNotices();
  // Pumps messages until a notice arrives or `milliseconds` have passed; the notices taken.
  std::vector<Notice> WaitForNotices(DWORD milliseconds);

 private:
  HWND hwnd_;
};

// Registers a bank built from `clips` (name, samples) as the program's bank for the object's
// lifetime; the bytes stay here, as the bank plays from them in place.
class ScopedBank {
 public:
  struct Clip {
    const char* name;
    std::vector<std::uint8_t> samples;
  };
  explicit ScopedBank(const std::vector<Clip>& clips);
  ~ScopedBank();
  ScopedBank(const ScopedBank&) = delete;
  ScopedBank& operator=(const ScopedBank&) = delete;

  // Where the bank's bytes hold a clip of exactly these samples (after its byte count).
  const std::uint8_t* SamplesOf(const std::vector<std::uint8_t>& samples) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace card::test
