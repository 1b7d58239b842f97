// Writing a card package (see package_writer.h).
#include "package/package_writer.h"

#include "common/byte_writer.h"
#include "newcard/card_package.h"
#include "package/package_layout.h"
#include "package/program_image.h"

#include <zlib.h>

#include <algorithm>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

Status CheckProgram(ByteView program) {
  Result<std::uint64_t> end = ProgramImageEnd(program);
  if (!end) return Fail("The card program is not a Windows program.");
  if (*end != program.size()) {
    return Fail("The card program goes on past its end: it is a card package already, or "
                "something was added to it.");
  }
  return {};
}

// The end record's comment: the stamp, the message area and, for now, zeros where M goes.
Result<Bytes> PackageComment(ByteView program, const CardMessage& message) {
  const Bytes area = EncodeMessageArea(message);
  if (area.size() > kMessageAreaSize) {
    return Fail("The message is too long for a card: it needs " + std::to_string(area.size()) +
                " bytes with its end marks, and a card holds " + std::to_string(kMessageAreaSize) +
                ".");
  }
  const auto crc =
      static_cast<std::uint32_t>(crc32_z(0, program.data(), program.size()));
  const auto stamp = MakeStamp(crc);
  Bytes comment(stamp.begin(), stamp.end());
  comment.insert(comment.end(), area.begin(), area.end());
  comment.resize(kStampSize + kMessageAreaSize + kMessageOffsetSize, 0);
  return comment;
}

}  // namespace

Result<std::vector<std::uint8_t>> BuildPackage(ByteView program, std::span<const ZipSource> files,
                                               const CardMessage& message) {
  if (Status status = CheckProgram(program); !status) return Fail(status.error());
  std::vector<CardFileInfo> infos;
  for (const ZipSource& file : files) {
    infos.push_back({{file.name, !IsAscii(file.name)}, file.bytes.size()});
  }
  if (Status status = CheckCardFiles(infos); !status) return Fail(status.error());
  Result<Bytes> comment = PackageComment(program, message);
  if (!comment) return Fail(comment.error());
  Result<Bytes> archive = WriteZipArchive(files, program.size(), *comment);
  if (!archive) return Fail(archive.error());

  Bytes package(program.begin(), program.end());
  package.insert(package.end(), archive->begin(), archive->end());
  const std::uint64_t offset = package.size() - kMessageOffsetSize - kMessageAreaSize;
  if (offset > 0xFFFFFFFFu) return Fail("A card package must stay under 4 GB.");
  PutU32(package, package.size() - kMessageOffsetSize, static_cast<std::uint32_t>(offset));
  return package;
}

}  // namespace card
