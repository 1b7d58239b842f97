// The program's one sound bank: the Card.WAS that the card window opens when the layout turns
// sound effects on. It stays open until the process ends; while none is open, every sound
// request is answered at once as a sound that could not play.
#pragma once

#include "common/result.h"
#include "sound/was_file.h"

#include <memory>
#include <string>

namespace card {

// Opens the bank at `path` and makes it the program's bank. On failure no bank is open and the
// reason is returned ("Card.WAS is missing.", ...); the card then plays without sound effects.
Status OpenSoundBank(const std::string& path);

// Makes `bank` the program's bank (null: none). A sound still playing from the previous bank
// is stopped first, as its samples are about to go away.
void RegisterSoundBank(std::unique_ptr<WasFile> bank);

// The program's bank, or null when none is open.
const WasFile* CurrentSoundBank();

}  // namespace card
