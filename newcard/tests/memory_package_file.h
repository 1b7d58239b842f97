// Test helper: a card package file held in memory, over bytes the test owns, as Make a New Card
// writes into its copy of the package; it can be told to fail its writes.
#pragma once

#include "newcard/package_file.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace card::test {

class MemoryPackageFile final : public PackageFile {
 public:
  explicit MemoryPackageFile(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  Result<std::uint64_t> Size() override { return std::uint64_t{bytes_.size()}; }
  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    if (!FitsIn(bytes_.size(), offset, out.size())) return Fail("read past the end");
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return {};
  }
  Status WriteAt(std::uint64_t offset, ByteView data) override {
    if (failWrites) return Fail("disk full");
    if (!FitsIn(bytes_.size(), offset, data.size())) return Fail("write past the end");
    std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return {};
  }

  bool failWrites = false;

 private:
  std::vector<std::uint8_t>& bytes_;
};

}  // namespace card::test
