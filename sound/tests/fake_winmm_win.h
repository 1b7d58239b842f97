// A wave-out and MCI device in memory for the sound tests. It puts itself in place of the
// system's functions, records what it is asked in order, fails what a test tells it to, and
// behaves like the system where the code relies on it: the callback hears WOM_OPEN, WOM_DONE
// and WOM_CLOSE, a reset completes the queued clip, and a device with a clip still queued
// refuses to unprepare or close.
#pragma once

#include "sound/winmm_api_win.h"

#include <string>
#include <vector>

namespace card::test {

class FakeWinmm {
 public:
  FakeWinmm();
  ~FakeWinmm();
  FakeWinmm(const FakeWinmm&) = delete;
  FakeWinmm& operator=(const FakeWinmm&) = delete;

  // The calls made since the last TakeCalls, e.g. "open 1", "write 1", "close 1" for wave-out
  // devices numbered by opening, and "mci open", "mci play notify", "mci close" for MCI.
  // A call that breaks the rules of the real device says so: "close 1 still playing".
  std::vector<std::string> TakeCalls();

  // Ends the clip queued on device `number` as the device does at its end: marks its header
  // done and calls back WOM_DONE, from a thread of its own as the audio service does.
  void FinishClip(int number);

  // What the next calls answer.
  MMRESULT openResult = MMSYSERR_NOERROR;
  MMRESULT prepareResult = MMSYSERR_NOERROR;
  MMRESULT writeResult = MMSYSERR_NOERROR;
  MCIERROR mciOpenError = 0;
  MCIERROR mciStatusError = 0;

  // What the wave-out calls were given.
  struct Device {
    UINT id = 0;
    WAVEFORMATEX format{};
    DWORD_PTR callback = 0;
    DWORD_PTR instance = 0;
    DWORD flags = 0;
    WAVEHDR* queued = nullptr;   // written and not yet done
    WAVEHDR* written = nullptr;  // the last header written
    bool open = false;
  };
  const Device& DeviceNumber(int number) const { return devices_.at(number - 1); }
  int DevicesOpened() const { return static_cast<int>(devices_.size()); }

  // What the MCI calls were given.
  std::string mciType;
  std::string mciElement;
  HWND mciNotifyWindow = nullptr;
  static constexpr MCIDEVICEID kMciDevice = 42;

 private:
  friend struct FakeCalls;
  void Record(std::string call);
  Device* Find(HWAVEOUT handle, const char* call);

  std::vector<std::string> calls_;
  std::vector<Device> devices_;
  bool mciOpen_ = false;
  ScopedWinmm install_;
};

}  // namespace card::test
