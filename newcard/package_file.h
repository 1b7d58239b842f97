// A card package file opened for reading and writing, as the package writer needs it.
// card.exe implements it over the Win32 file API; StreamPackageFile is the portable one.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <cstdint>
#include <span>

namespace card {

class PackageFile {
 public:
  virtual ~PackageFile() = default;
  virtual Result<std::uint64_t> Size() = 0;
  // Fills `bytes` from `offset`; fails when the file has fewer bytes there.
  virtual Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) = 0;
  virtual Status WriteAt(std::uint64_t offset, ByteView bytes) = 0;
};

}  // namespace card
