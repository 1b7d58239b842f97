// A read-only memory-mapped view of a whole file. Both content files (Card.FAS, Card.WAS) are
// read through one; nothing read from them is ever copied. On Windows the file is opened with
// share mode 0, so no other program may change it while the card has it open.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <memory>
#include <string>

namespace card {

class MappedFile {
 public:
  // Maps the whole file; fails with a sentence naming the file ("Card.FAS is missing.",
  // "Card.FAS cannot be opened: ..."). An empty file maps to an empty view.
  static Result<std::unique_ptr<MappedFile>> Open(const std::string& path);

  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  virtual ~MappedFile();

  ByteView Bytes() const { return bytes_; }

 private:
  struct Handles;  // the platform's handles, defined by mapped_file_posix.cpp / _win.cpp
  MappedFile(std::unique_ptr<Handles> handles, ByteView bytes);

  std::unique_ptr<Handles> handles_;
  ByteView bytes_;
};

}  // namespace card
