// `cardkit package`: the card package a person sends, one Windows program file that plays the
// card wherever it is copied (see package/package_layout.h): the card program, every file of a
// built card folder in a zip archive, and the message in the message area at M.
#pragma once

#include "tools/cardkit/diagnostics.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace card::kit {

// Checks `cardFolder` as `cardkit check` does (a symbolic link or a file no package may carry is
// an error) and, when it has no errors, writes the package of its files with the card program
// `program` to `out`. The message is `messageFile` (a
// msg.txt: Windows-1252, CR LF, 0xFF 0xFF when centred), or the folder's own msg.txt; msg.txt
// itself is not packed, nor the program or `out` when they lie in the folder. The check's
// diagnostics come first, then any problem of the package, each naming its file; nothing is
// written when there are errors. `packed`, when given, receives the names of the files packed.
Diagnostics PackageCard(const std::filesystem::path& cardFolder,
                        const std::filesystem::path& program,
                        const std::optional<std::filesystem::path>& messageFile,
                        const std::filesystem::path& out,
                        std::vector<std::string>* packed = nullptr);

}  // namespace card::kit
