// Fuzz corpus helper: writes one seed file from the bytes a writer made, or says on stderr why
// the writer could not make them.
#pragma once

#include "common/result.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace card::testing {

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
