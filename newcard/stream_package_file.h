// The portable PackageFile, over a standard file stream: for the tools and the tests.
#pragma once

#include "newcard/package_file.h"

#include <fstream>
#include <memory>
#include <string>

namespace card {

class StreamPackageFile final : public PackageFile {
 public:
  // Opens an existing file for reading and writing; fails with a sentence naming the path.
  static Result<std::unique_ptr<StreamPackageFile>> Open(const std::string& path);

  Result<std::uint64_t> Size() override;
  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) override;
  Status WriteAt(std::uint64_t offset, ByteView bytes) override;

 private:
  StreamPackageFile(std::fstream stream, std::string path);
  bool SeekTo(std::uint64_t offset);

  std::fstream stream_;
  std::string path_;
};

}  // namespace card
