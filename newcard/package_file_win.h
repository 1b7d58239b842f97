// A card package file over the Win32 file API, opened the way the new-card writer needs it:
// its read-only attribute cleared first (the copy of a read-only package is read-only too),
// then read and write access, no sharing, an existing file only. Paths are UTF-8.
#pragma once

#include "newcard/package_file.h"

#include <windows.h>

#include <memory>
#include <string>

namespace card {

class Win32PackageFile final : public PackageFile {
 public:
  // Fails with a sentence that names the path and the system's reason.
  static Result<std::unique_ptr<Win32PackageFile>> Open(const std::string& path);
  ~Win32PackageFile() override;
  Win32PackageFile(const Win32PackageFile&) = delete;
  Win32PackageFile& operator=(const Win32PackageFile&) = delete;

  Result<std::uint64_t> Size() override;
  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) override;
  Status WriteAt(std::uint64_t offset, ByteView bytes) override;

 private:
  Win32PackageFile(HANDLE file, std::string path) : file_(file), path_(std::move(path)) {}
  bool SeekTo(std::uint64_t offset);
  Failure Failed(const std::string& what) const;

  HANDLE file_;
  std::string path_;
};

// Takes FILE_ATTRIBUTE_READONLY off a file; false when its attributes cannot be read or set.
bool ClearReadOnly(const std::string& path);

}  // namespace card
