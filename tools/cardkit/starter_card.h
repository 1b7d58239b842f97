// `cardkit new DIR`: a small card source folder to start from, every file commented where its
// format allows and explained in ABOUT.txt where it does not. Its art, sound and tune are drawn
// and synthesised here, so it builds with no error and no warning.
#pragma once

#include "common/result.h"

#include <filesystem>

namespace card::kit {

// Writes the starter card into `folder`, which must be missing or empty.
Status WriteStarterCard(const std::filesystem::path& folder);

}  // namespace card::kit
