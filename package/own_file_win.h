// The running program's own file, mapped read-only: a card package reads its card from itself.
// Others may still read it (Make a New Card copies it) but not change it while it is mapped.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <windows.h>

#include <memory>
#include <string>

namespace card {

class OwnFile {
 public:
  static Result<std::unique_ptr<OwnFile>> Open();

  OwnFile(const OwnFile&) = delete;
  OwnFile& operator=(const OwnFile&) = delete;
  ~OwnFile();

  const std::wstring& Path() const { return path_; }
  ByteView Bytes() const { return bytes_; }

 private:
  OwnFile(std::wstring path, HANDLE file, HANDLE mapping, ByteView bytes);

  std::wstring path_;
  HANDLE file_;
  HANDLE mapping_;
  ByteView bytes_;
};

}  // namespace card
