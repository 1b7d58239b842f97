// The real winmm table and the switch that tests use to replace it.
#include "sound/winmm_api_win.h"

namespace card {
namespace {

const WinmmApi kSystemWinmm = {
    ::waveOutOpen,  ::waveOutPrepareHeader,   ::waveOutWrite,   ::waveOutReset,
    ::waveOutUnprepareHeader, ::waveOutClose, ::mciSendCommandA,
};

const WinmmApi* inUse = &kSystemWinmm;

}  // namespace

const WinmmApi& Winmm() { return *inUse; }

ScopedWinmm::ScopedWinmm(const WinmmApi& api) : api_(api), previous_(inUse) { inUse = &api_; }

ScopedWinmm::~ScopedWinmm() { inUse = previous_; }

}  // namespace card
