// Runs that nest inside each other: a script that runs itself again, directly or through other
// scripts, before it has ended. A name runs as a group that closes only when the script has
// ended, so each such run opens its groups inside the last one's, and the player's caps (the
// open groups, the text they keep, the length of the script) stop the card after some number
// of runs. A repeat ('@N', '*N') runs its item again after it has ended, so it never grows.
#pragma once

#include "tools/cardkit/diagnostics.h"
#include "tools/cardkit/script_facts.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>

namespace card::kit {

using ExpandsFinitely = std::function<bool(const std::string& name)>;
using PlaceOf = std::function<DiagnosticPlace(const std::string& script, std::size_t position)>;

// Warns once for each cycle of names that every run of its scripts follows for certain, at the
// name that closes it, with about how many runs the card has before it stops. Not a cycle that
// a choice may draw its way out of, that a sound group ends with its sound, or, when the card
// has bounds, that moves the figure (the bounds stop it at their edge and leave the nested
// groups). Names whose expansion never ends (`expandsFinitely` false) are another check's.
void ReportNestingRecursions(const std::map<std::string, ScriptFacts>& scripts,
                             const ExpandsFinitely& expandsFinitely, const PlaceOf& placeOf,
                             Diagnostics& out);

}  // namespace card::kit
