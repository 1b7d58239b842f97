// The start of card.exe when its own file is a card package (see package_layout.h). Before the
// card program runs as itself it looks at its file: a plain program (nothing after its image)
// goes on as the card. A package unpacks its card into a private folder, runs the card program
// there with the package's path as its argument, waits for it and removes the folder. A damaged
// package is refused with one message box, and nothing is written outside that folder.
#pragma once

#include <optional>

namespace card {

// The process's exit code when the running file is a package: the card program's, or 1 after
// a refusal. Nothing when it is a plain card program.
std::optional<int> PlayPackagedCard();

}  // namespace card
