// Checks a card folder's Layout.txt: that it parses, that the bitmaps it names are there and
// can be drawn with a transparent colour, and that its switches match the files present.
#pragma once

#include "tools/cardkit/diagnostics.h"

#include <filesystem>

namespace card::kit {

void CheckLayoutFolder(const std::filesystem::path& folder, Diagnostics& out);

}  // namespace card::kit
