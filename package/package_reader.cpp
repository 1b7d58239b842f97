// Reading a card package (see package_reader.h).
#include "package/package_reader.h"

#include "newcard/card_package.h"
#include "package/package_layout.h"
#include "package/program_image.h"
#include "package/zip_format.h"

#include <zlib.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace card {
namespace {

constexpr std::size_t kCommentSize = kStampSize + kMessageAreaSize + kMessageOffsetSize;

// The message area and M, from the comment that ends the file.
Status ReadMessagePlace(ByteView file, const ZipDirectory& directory, CardPackage& package) {
  const std::uint64_t areaStart = directory.endRecordOffset + zip::kEndRecordSize + kStampSize;
  package.messageOffset = *ReadU32(file, file.size() - kMessageOffsetSize);
  const std::string offset = "(byte " + std::to_string(package.messageOffset) + ")";
  if (!FitsIn(file.size() - kMessageOffsetSize, package.messageOffset, kMessageAreaSize)) {
    return Fail("The place of its message " + offset + " lies outside the file.");
  }
  if (package.messageOffset != areaStart) {
    return Fail("The place of its message " + offset + " is not where its message area is.");
  }
  package.messageArea = file.subspan(package.messageOffset, kMessageAreaSize);
  if (std::find(package.messageArea.begin(), package.messageArea.end(), 0) ==
      package.messageArea.end()) {
    return Fail("Its message has no end.");
  }
  return {};
}

Status ReadProgram(ByteView file, const ZipDirectory& directory, CardPackage& package) {
  const auto comment = reinterpret_cast<const char*>(directory.comment.data());
  const std::optional<std::uint32_t> crc = ReadStamp(std::string_view(comment, kStampSize));
  if (!crc) return Fail("Its list of files does not end as a card package's does.");
  package.programCrc = *crc;
  if (directory.archiveStart != package.programSize) {
    return Fail("Its files do not start where its card program ends.");
  }
  const auto actual = static_cast<std::uint32_t>(
      crc32_z(0, file.data(), static_cast<std::size_t>(package.programSize)));
  if (actual != package.programCrc) {
    return Fail("Its card program fails its integrity check (CRC-32): its bytes have been "
                "changed.");
  }
  return {};
}

Status CheckFiles(const std::vector<ZipEntry>& entries) {
  std::vector<CardFileInfo> infos;
  for (const ZipEntry& entry : entries) infos.push_back({{entry.name, entry.utf8Name}, entry.size});
  return CheckCardFiles(infos);
}

}  // namespace

ByteView CardPackage::MessageFile() const {
  const auto end = std::find(messageArea.begin(), messageArea.end(), 0);
  return messageArea.first(static_cast<std::size_t>(end - messageArea.begin()));
}

Result<CardPackage> ReadPackage(ByteView file) {
  Result<std::uint64_t> programEnd = ProgramImageEnd(file);
  if (!programEnd) return Fail(programEnd.error());
  if (*programEnd == file.size()) return Fail("It holds a card program but no card.");
  Result<ZipDirectory> directory = ReadZipDirectory(file);
  if (!directory) return Fail(directory.error());
  if (directory->comment.size() != kCommentSize) {
    return Fail("Its list of files does not end as a card package's does.");
  }
  CardPackage package{*programEnd, 0, {}, 0, {}};
  for (auto step : {ReadMessagePlace, ReadProgram}) {
    if (Status status = step(file, *directory, package); !status) return Fail(status.error());
  }
  if (Status status = CheckFiles(directory->entries); !status) return Fail(status.error());
  package.files = std::move(directory->entries);
  return package;
}

}  // namespace card
