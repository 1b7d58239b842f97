// The program's one sound bank: the Card.WAS that the card window opens when the layout turns
// sound effects on. It stays open until the process ends; while none is open, every sound
// request is answered at once as a sound that could not play.
#pragma once

#include "sound/was_file.h"

#include <memory>

namespace card {

// Makes `bank` the program's bank (null: none). A sound still playing from the previous bank
// is stopped first, as its samples are about to go away.
void RegisterSoundBank(std::unique_ptr<WasFile> bank);

// The program's bank, or null when none is open.
const WasFile* CurrentSoundBank();

}  // namespace card
