// `cardkit package`: a card package for "Make a New Card" to copy: the card program's bytes, a
// message area holding a msg.txt's message, and the offset of that area in the last four bytes.
#pragma once

#include "common/result.h"

#include <filesystem>

namespace card::kit {

// Writes the package for `base` (the card program) with the message of `messageFile` (a
// msg.txt: Windows-1252, CR LF, 0xFF 0xFF when centred) to `out`. Fails, naming the file,
// when a file cannot be read or written or the message passes the card's limits.
Status PackageCard(const std::filesystem::path& base, const std::filesystem::path& messageFile,
                   const std::filesystem::path& out);

}  // namespace card::kit
