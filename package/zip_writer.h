// Writing a zip archive (deflate, through zlib) that is meant to follow other bytes in one file,
// as a self-extracting archive follows its program: every offset it stores counts from the
// start of that file, so standard zip tools list and test the whole file without a warning.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace card {

struct ZipSource {
  std::string name;  // stored as it is; marked as UTF-8 when it has non-ASCII bytes
  ByteView bytes;
};

// The archive of `files`, in their order, each deflated unless that would not make it smaller,
// for a file in which it starts at byte `startOffset`; `comment` is its end record's comment.
// Fails when the archive would need the 64-bit extensions of the format (4 GB, 65535 files).
Result<std::vector<std::uint8_t>> WriteZipArchive(std::span<const ZipSource> files,
                                                  std::uint64_t startOffset, ByteView comment);

}  // namespace card
