// Reading a program's extent from its headers (see program_image.h).
#include "package/program_image.h"

#include <algorithm>
#include <optional>
#include <string>

namespace card {
namespace {

constexpr std::uint16_t kDosSignature = 0x5A4D;       // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550;    // "PE\0\0"
constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kSymbolSize = 18;
constexpr std::uint16_t kMaxSections = 96;  // the Windows loader's limit
constexpr std::uint32_t kCertificateDirectory = 4;

struct Headers {
  std::uint64_t coff;      // the COFF file header
  std::uint64_t optional;  // the optional header
  std::uint16_t sectionCount;
  std::uint16_t optionalSize;
};

// Reads at 64-bit offsets, which a 32-bit size_t would cut.
std::optional<std::uint16_t> U16At(ByteView file, std::uint64_t at) {
  return at < file.size() ? ReadU16(file, static_cast<std::size_t>(at)) : std::nullopt;
}

std::optional<std::uint32_t> U32At(ByteView file, std::uint64_t at) {
  return at < file.size() ? ReadU32(file, static_cast<std::size_t>(at)) : std::nullopt;
}

Failure NotAProgram() { return Fail("Its card program is not a Windows program."); }

Result<Headers> FindHeaders(ByteView file) {
  const auto newHeader = U32At(file, 0x3C);
  if (U16At(file, 0) != kDosSignature || !newHeader) return NotAProgram();
  if (U32At(file, *newHeader) != kPeSignature) return NotAProgram();
  Headers headers{std::uint64_t{*newHeader} + 4, std::uint64_t{*newHeader} + 4 + kCoffHeaderSize,
                  0, 0};
  const auto sections = U16At(file, headers.coff + 2);
  const auto optionalSize = U16At(file, headers.coff + 16);
  if (!sections || !optionalSize || *sections > kMaxSections) return NotAProgram();
  headers.sectionCount = *sections;
  headers.optionalSize = *optionalSize;
  return headers;
}

// The end of the certificate table, which Windows keeps as a file offset, or 0 when none.
Result<std::uint64_t> CertificateEnd(ByteView file, const Headers& headers) {
  const auto magic = U16At(file, headers.optional);
  if (magic != kPe32 && magic != kPe32Plus) return NotAProgram();
  const std::uint64_t countAt = headers.optional + (magic == kPe32 ? 92 : 108);
  const std::uint64_t directoriesAt = countAt + 4;
  const auto count = U32At(file, countAt);
  if (!count || headers.optionalSize < directoriesAt - headers.optional) return NotAProgram();
  if (*count <= kCertificateDirectory) return std::uint64_t{0};
  const std::uint64_t entry = directoriesAt + 8 * kCertificateDirectory;
  if (headers.optionalSize < entry + 8 - headers.optional) return NotAProgram();
  const auto offset = U32At(file, entry);
  const auto size = U32At(file, entry + 4);
  if (!offset || !size) return NotAProgram();
  return *size == 0 ? 0 : std::uint64_t{*offset} + *size;
}

Result<std::uint64_t> SectionsEnd(ByteView file, const Headers& headers) {
  const auto headersSize = U32At(file, headers.optional + 60);
  if (!headersSize || headers.optionalSize < 64) return NotAProgram();
  std::uint64_t end = *headersSize;
  const std::uint64_t table = headers.optional + headers.optionalSize;
  for (std::uint16_t i = 0; i < headers.sectionCount; ++i) {
    const std::uint64_t section = table + i * kSectionHeaderSize;
    const auto rawSize = U32At(file, section + 16);
    const auto rawOffset = U32At(file, section + 20);
    if (!rawSize || !rawOffset) return NotAProgram();
    if (*rawSize != 0) end = std::max(end, std::uint64_t{*rawOffset} + *rawSize);
  }
  return end;
}

// The COFF symbol table and the string table after it, which unstripped mingw programs keep.
Result<std::uint64_t> SymbolsEnd(ByteView file, const Headers& headers) {
  const auto table = U32At(file, headers.coff + 8);
  const auto count = U32At(file, headers.coff + 12);
  if (!table || !count) return NotAProgram();
  if (*table == 0) return std::uint64_t{0};
  const std::uint64_t strings = *table + std::uint64_t{*count} * kSymbolSize;
  return strings + U32At(file, strings).value_or(4);
}

}  // namespace

Result<std::uint64_t> ProgramImageEnd(ByteView file) {
  Result<Headers> headers = FindHeaders(file);
  if (!headers) return Fail(headers.error());
  std::uint64_t end = 0;
  for (auto part : {CertificateEnd, SectionsEnd, SymbolsEnd}) {
    Result<std::uint64_t> partEnd = part(file, *headers);
    if (!partEnd) return partEnd;
    end = std::max(end, *partEnd);
  }
  if (end > file.size()) {
    return Fail("It is cut short: its card program needs " + std::to_string(end) +
                " bytes and the file has only " + std::to_string(file.size()) + ".");
  }
  return end;
}

}  // namespace card
