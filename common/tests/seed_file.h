// Fuzz corpus helpers for the programs that write a harness's first seeds into a folder.
#pragma once

#include "common/result.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace card::testing {

// The corpus folder named on the command line, made if missing; nothing, after a usage line,
// when the command line names none.
inline std::optional<std::filesystem::path> SeedFolder(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return std::nullopt;
  }
  std::filesystem::create_directories(argv[1]);
  return std::filesystem::path(argv[1]);
}

// Writes one seed file from the bytes a writer made, or says on stderr why it made none.
inline bool SaveSeed(const std::filesystem::path& path,
                     const Result<std::vector<std::uint8_t>>& bytes) {
  if (!bytes) {
    std::fprintf(stderr, "%s: %s\n", path.string().c_str(), bytes.error().c_str());
    return false;
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes->data()),
            static_cast<std::streamsize>(bytes->size()));
  return static_cast<bool>(out);
}

}  // namespace card::testing
