// The files of a card folder that travel with the card, in its package or its web page. None
// may be a symbolic link, which would carry whatever it points at, from anywhere. A package's
// files must also have names a package may hold (package/entry_name_rules.h): content files
// and what a page needs, nothing that runs. card.exe and msg.txt are not carried as they lie:
// each command puts in its own.
#pragma once

#include "tools/cardkit/diagnostics.h"

#include <filesystem>
#include <vector>

namespace card::kit {

// An error for each entry of `folder` that is a symbolic link, naming it.
void CheckNoLinks(const std::filesystem::path& folder, Diagnostics& out);

// CheckNoLinks, then an error for each file of `folder` that no package may carry, naming it;
// the files `leftOut` (the card program, the package being written) are passed over.
void CheckCarriedFiles(const std::filesystem::path& folder, Diagnostics& out,
                       const std::vector<std::filesystem::path>& leftOut = {});

}  // namespace card::kit
