// Reading a zip archive at the end of a file, trusting nothing: the end record, the central
// directory and every local header are checked against each other and against the file, and an
// entry unpacks only to exactly its stated size with its stated CRC-32. Failures are sentences
// for a person ("Its list of files is cut short."), about the file as a whole.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace card {

struct ZipEntry {
  std::string name;     // the stored bytes
  bool utf8Name;        // the archive marks the name as UTF-8
  std::uint16_t method;  // zip::kStored or zip::kDeflated
  std::uint32_t crc32;
  std::uint64_t packedSize;
  std::uint64_t size;        // unpacked
  std::uint64_t dataOffset;  // where its packed bytes start in the file
};

struct ZipDirectory {
  std::vector<ZipEntry> entries;  // in the order of their data in the file
  std::uint64_t archiveStart;     // the first local header, or the central directory if none
  std::uint64_t endRecordOffset;
  ByteView comment;               // the end record's comment, which ends the file
};

// The archive whose end record ends `file` (after its comment). Only what this program writes
// is read: no encryption, no 64-bit extensions, one disk, stored or deflated entries, each
// entry's data between its local header and the next, the central directory right before the
// end record.
Result<ZipDirectory> ReadZipDirectory(ByteView file);

// The bytes of one entry of a directory read from `file`.
Result<std::vector<std::uint8_t>> UnpackZipEntry(ByteView file, const ZipEntry& entry);

}  // namespace card
