// Reading a card package (see package_layout.h) without trusting a byte of it: everything the
// start code needs before it writes a file, checked at once. The files' own bytes are checked
// (CRC-32) as each is unpacked with UnpackZipEntry.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"
#include "package/zip_reader.h"

#include <cstdint>
#include <vector>

namespace card {

struct CardPackage {
  std::uint64_t programSize;  // the card program is the file's first programSize bytes
  std::uint32_t programCrc;
  std::vector<ZipEntry> files;
  std::uint32_t messageOffset;  // M
  ByteView messageArea;         // the kMessageAreaSize bytes at M

  // What msg.txt holds for this package: the message area's bytes before its NUL.
  ByteView MessageFile() const;
};

// The package that `file` is; its message area is a view into `file`. Fails with a sentence
// about the file ("It is cut short: ...") when it is a plain program with nothing appended, or
// when anything of the layout, the names, the limits, M or the program's CRC-32 is wrong.
Result<CardPackage> ReadPackage(ByteView file);

}  // namespace card
