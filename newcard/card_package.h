// The card package as the new-card writer sees it: the package's own bytes, a message area at
// offset M holding a message area's bytes (see message/card_message.h), and M itself as an
// unsigned 32-bit little-endian number in the last four bytes. Nothing else of it is read.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"
#include "message/card_message.h"
#include "newcard/package_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace card {

// Room a package leaves at M: the longest message the new-message dialog accepts (487
// characters), the centring marker and the NUL.
constexpr std::size_t kMessageAreaSize = 490;
constexpr std::size_t kMessageOffsetSize = 4;

// Overwrites the message area of a package in place: the message, its NUL, then zeros to the
// end of the area, or to the last four bytes when they come first; the file's length never
// changes. When M does not leave room for the message before the last four bytes, nothing is
// written and the failure says why ("The card package has no room for the message: ...").
Status WriteMessageIntoPackage(PackageFile& package, const CardMessage& message);

// A whole package: `base`, a kMessageAreaSize-byte message area holding the message (zeros
// after its NUL), and the offset of that area. Fails when the message does not fit the area.
Result<std::vector<std::uint8_t>> BuildCardPackage(ByteView base, const CardMessage& message);

}  // namespace card
