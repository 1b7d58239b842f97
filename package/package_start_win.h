// The start of card.exe when its own file is a card package (see package_layout.h). Before the
// card program runs as itself it looks at its file: a plain program (nothing after its image)
// goes on as the card. A package unpacks its card's content files and msg.txt into a private
// folder, and the same process plays the card there, with that folder as its working folder and
// the package's own path as the card's package path; the folder goes when the card ends. No
// program file is ever written. A damaged package is refused with one message box, and nothing
// is written outside that folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace card {

// Plays the card of the current folder with these arguments (UTF-8); the process's exit code.
using PlayCardFunction = std::function<int(std::vector<std::string> arguments)>;

// The process's exit code when the running file is a package: the card's, or 1 after a
// refusal. Nothing when it is a plain card program.
std::optional<int> PlayPackagedCard(const PlayCardFunction& playCard);

}  // namespace card
