// Where a Windows program's own bytes end, read from its headers (the "portable executable"
// format): past its headers, the raw data of its sections, a symbol table with its strings, and
// a signature. Whatever a file holds beyond that was appended to the program.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <cstdint>

namespace card {

// The size of the program at the start of `file`. Fails with a sentence when the headers are
// not a Windows program's or say the program is longer than the file.
Result<std::uint64_t> ProgramImageEnd(ByteView file);

}  // namespace card
