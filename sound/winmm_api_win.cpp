// The real winmm table and the switch that tests use to replace it.
#include "sound/winmm_api_win.h"

#include "framework/entry_point_win.h"
#include "framework/system_library_win.h"

namespace card {
namespace {

// Stand-ins for a system without winmm: every device is missing, so every sound and the music
// fail as they do without a sound card.
MMRESULT WINAPI NoWaveOutOpen(LPHWAVEOUT, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD) {
  return MMSYSERR_NODRIVER;
}
MMRESULT WINAPI NoWaveOutHeader(HWAVEOUT, LPWAVEHDR, UINT) { return MMSYSERR_NODRIVER; }
MMRESULT WINAPI NoWaveOut(HWAVEOUT) { return MMSYSERR_NODRIVER; }
MCIERROR WINAPI NoMciSendCommand(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR) {
  return MCIERR_DEVICE_NOT_INSTALLED;
}

template <class Function>
Function Entry(HMODULE winmm, const char* name, Function missing) {
  const Function found = EntryPoint<Function>(winmm, name);
  return found ? found : missing;
}

// Loaded at the first sound or music, not at start-up: the library brings the system's audio
// stack with it, which would delay the figure's first appearance.
WinmmApi LoadSystemWinmm() {
  const HMODULE winmm = LoadSystemLibrary(L"winmm.dll");
  return {
      Entry(winmm, "waveOutOpen", &NoWaveOutOpen),
      Entry(winmm, "waveOutPrepareHeader", &NoWaveOutHeader),
      Entry(winmm, "waveOutWrite", &NoWaveOutHeader),
      Entry(winmm, "waveOutReset", &NoWaveOut),
      Entry(winmm, "waveOutUnprepareHeader", &NoWaveOutHeader),
      Entry(winmm, "waveOutClose", &NoWaveOut),
      Entry(winmm, "mciSendCommandA", &NoMciSendCommand),
  };
}

const WinmmApi* inUse = nullptr;  // null: the system's

}  // namespace

const WinmmApi& Winmm() {
  if (inUse) return *inUse;
  static const WinmmApi system = LoadSystemWinmm();
  return system;
}

ScopedWinmm::ScopedWinmm(const WinmmApi& api) : api_(api), previous_(inUse) { inUse = &api_; }

ScopedWinmm::~ScopedWinmm() { inUse = previous_; }

}  // namespace card
