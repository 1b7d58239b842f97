// Finds, without running them, what would go wrong in a card's scripts at run time: text the
// tokenizer cannot read or that is unbalanced, names that are not defined, frames that do not
// exist, sounds missing from the bank, bounds the card cannot evaluate, choices that cannot
// draw, and definitions whose expansion never reaches a frame.
#pragma once

#include "animation/fas/fas_file.h"
#include "sound/was_file.h"
#include "tools/cardkit/diagnostics.h"

namespace card::kit {

// The ids of the card window's controls that a bounds specification may refer to.
inline constexpr int kCardControlIds[] = {1, 2, 1001, 1002, 1005, 1006};

// Checks every script of `fas` (each problem under "Card.FAS" with the script's name and the
// 1-based character position, or where `places` says) and the script directory. `bank` is null
// when there is no Card.WAS.
void CheckScripts(const FasFile& fas, const WasFile* bank, Diagnostics& diagnostics,
                  const ScriptPlaces& places = {});

}  // namespace card::kit
