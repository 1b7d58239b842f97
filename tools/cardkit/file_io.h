// Whole-file reads and writes for cardkit, and finding a file the way Windows would: names in a
// card refer to files case-insensitively, with '\' between folders.
#pragma once

#include "common/result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace card::kit {

// The file's bytes; "<path> is missing." or "<path> cannot be read." otherwise.
Result<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);
Status WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// The file that `name` (relative, '\' or '/' between folders, an optional leading ".\") names
// inside `folder`, each part matched without regard to ASCII case; nothing when there is none
// or when `name` is absolute or leaves the folder.
std::optional<std::filesystem::path> FindCardFile(const std::filesystem::path& folder,
                                                  std::string_view name);

}  // namespace card::kit
