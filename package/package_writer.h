// Making a card package (see package_layout.h) from the card program, the card's files and the
// message.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"
#include "message/card_message.h"
#include "package/zip_writer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace card {

// The whole package file. Fails, with a sentence, when the program is not a plain Windows
// program (a package, say, or one with bytes appended), when the files break the package's
// limits (CheckCardFiles; the sentence then speaks of "it", the card), or when the message
// does not fit the message area.
Result<std::vector<std::uint8_t>> BuildPackage(ByteView program, std::span<const ZipSource> files,
                                               const CardMessage& message);

}  // namespace card
