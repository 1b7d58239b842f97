// The fixed parts of the zip format that both the writer and the reader use: record
// signatures, sizes and the field values this program writes. Everything is little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace card::zip {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;    // "PK\3\4"
constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;  // "PK\1\2"
constexpr std::uint32_t kEndRecordSignature = 0x06054B50;      // "PK\5\6"

constexpr std::size_t kLocalHeaderSize = 30;    // without the name and the extra field
constexpr std::size_t kCentralHeaderSize = 46;  // without the name, extra field and comment
constexpr std::size_t kEndRecordSize = 22;      // without the comment
constexpr std::size_t kMaxCommentSize = 0xFFFF;

constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;

// Version 2.0 of the format (deflate); "made by" 0 means MS-DOS attributes, none set.
constexpr std::uint16_t kVersion = 20;
// Flag bit 11: the name is UTF-8. Bits 1 and 2 only tell how hard the deflater worked.
constexpr std::uint16_t kUtf8NameFlag = 0x0800;
constexpr std::uint16_t kDeflateLevelFlags = 0x0006;

// 1980-01-01 00:00, the format's earliest time: packages of the same files are the same bytes.
constexpr std::uint16_t kDosTime = 0;
constexpr std::uint16_t kDosDate = (1 << 5) | 1;

}  // namespace card::zip
