// Whole-file reads and writes for cardkit.
#pragma once

#include "common/result.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace card::kit {

// The file's bytes; "<path> is missing." or "<path> cannot be read." otherwise.
Result<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);
Status WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace card::kit
