// The registration of the program's one sound bank.
#include "sound/sound_bank_win.h"

#include "sound/wave_sound_win.h"

namespace card {
namespace {

// Deliberately never freed at exit: a clip may still be playing from the mapping on the audio
// service's thread while the process ends, and the system unmaps the file then anyway.
WasFile* bank = nullptr;

}  // namespace

void RegisterSoundBank(std::unique_ptr<WasFile> replacement) {
  StopCurrentSound();
  delete bank;
  bank = replacement.release();
}

const WasFile* CurrentSoundBank() { return bank; }

}  // namespace card
