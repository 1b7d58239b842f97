// The layout of a card package: one Windows program file that carries a whole card.
//
//   0 .. P            the card program (card.exe); P is where its own headers say it ends
//   P .. E            a zip archive of the card's files (deflate); its offsets count from byte 0
//   E .. E+22         the zip's end record; its comment, which ends the file, holds:
//     the stamp       "Zelk Greeting Card, program CRC-32 XXXXXXXX\r\n", the CRC-32 of 0 .. P
//     M .. M+490      the message area: a msg.txt's bytes, a NUL, zeros
//     the last 4      M, unsigned 32-bit little-endian
//
// "Make a New Card" copies a package and writes a new message area at M; zip tools list and
// test the file as it is. What the package may hold is limited here, for writer and reader.
#pragma once

#include "common/result.h"
#include "content/content_file_names.h"
#include "package/entry_name_rules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace card {

constexpr std::size_t kMaxPackageFiles = 100;
constexpr std::uint64_t kMaxUnpackedSize = 64 * 1024 * 1024;

// Names the archive may not hold: the start code writes the lock (and msg.txt) into the card's
// folder itself, and the card program is never unpacked.
constexpr std::string_view kUnpackedProgramName = "card.exe";
constexpr std::string_view kInUseLockName = "in-use.lock";

constexpr std::string_view kStampStart = "Zelk Greeting Card, program CRC-32 ";
constexpr std::string_view kStampEnd = "\r\n";
constexpr std::size_t kStampSize = kStampStart.size() + 8 + kStampEnd.size();

// The stamp for a card program whose bytes have this CRC-32.
std::array<char, kStampSize> MakeStamp(std::uint32_t programCrc);

// The CRC-32 a stamp holds, or nothing when `stamp` is not one.
std::optional<std::uint32_t> ReadStamp(std::string_view stamp);

struct CardFileInfo {
  EntryName name;
  std::uint64_t size;
};

// Why these files cannot be a card package's, as a sentence about the package: too many, too
// large together, a name the rules refuse or one the start code writes itself.
Status CheckCardFiles(std::span<const CardFileInfo> files);

}  // namespace card
