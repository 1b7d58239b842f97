// The new card's file operations over the Win32 file API, with paths in UTF-8 handed to its wide
// calls: existence by GetFileAttributesW, a copy with CopyFileW that fails rather than replace
// a file, the Win32 package file, and deletion of a copy even when it came out read-only.
#pragma once

#include "newcard/new_card_file.h"

namespace card {

class Win32CardFiles final : public CardFileSystem {
 public:
  bool Exists(const std::string& path) override;
  CopyOutcome CopyToNewFile(const std::string& from, const std::string& to) override;
  Result<std::unique_ptr<PackageFile>> OpenPackage(const std::string& path) override;
  Status Remove(const std::string& path) override;
};

}  // namespace card
