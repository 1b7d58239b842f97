// The wave-out and MCI calls that the sound code makes, gathered in one table so that tests can
// put a fake device in place of the system's. The program itself only ever uses the real one.
#pragma once

#include <windows.h>
#include <mmsystem.h>

namespace card {

struct WinmmApi {
  decltype(&::waveOutOpen) waveOutOpen;
  decltype(&::waveOutPrepareHeader) waveOutPrepareHeader;
  decltype(&::waveOutWrite) waveOutWrite;
  decltype(&::waveOutReset) waveOutReset;
  decltype(&::waveOutUnprepareHeader) waveOutUnprepareHeader;
  decltype(&::waveOutClose) waveOutClose;
  decltype(&::mciSendCommandA) mciSendCommandA;
};

// The table in use: the system's functions unless a test has put others in place.
const WinmmApi& Winmm();

// Puts a copy of `api` in place of the table in use for this object's lifetime (tests only).
class ScopedWinmm {
 public:
  explicit ScopedWinmm(const WinmmApi& api);
  ~ScopedWinmm();
  ScopedWinmm(const ScopedWinmm&) = delete;
  ScopedWinmm& operator=(const ScopedWinmm&) = delete;

 private:
  WinmmApi api_;
  const WinmmApi* previous_;
};

}  // namespace card
