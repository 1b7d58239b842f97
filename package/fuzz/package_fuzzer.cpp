// Fuzzes card package reading: any bytes are refused with a sentence, or give a package whose
// files lie inside the bytes after the program, pass the name rules and the limits, and unpack
// to exactly their stated sizes or are refused. The zip reader is fuzzed on its own as well,
// so that inputs without a valid program still reach it.
#include "newcard/card_package.h"
#include "package/entry_name_rules.h"
#include "package/package_layout.h"
#include "package/package_reader.h"
#include "package/zip_format.h"
#include "package/zip_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using card::ByteView;

// Larger entries of a bare zip are not unpacked, so one input costs little.
constexpr std::uint64_t kMaxUnpackedPerInput = 1 << 20;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void Unpack(ByteView file, const card::ZipEntry& entry) {
  Require(card::FitsIn(file.size(), entry.dataOffset, entry.packedSize));
  auto bytes = card::UnpackZipEntry(file, entry);
  if (bytes) {
    Require(bytes->size() == entry.size);
  } else {
    Require(!bytes.error().empty());
  }
}

void ExerciseZip(ByteView file) {
  auto directory = card::ReadZipDirectory(file);
  if (!directory) {
    Require(!directory.error().empty());
    return;
  }
  Require(directory->endRecordOffset + card::zip::kEndRecordSize + directory->comment.size() ==
          file.size());
  std::uint64_t unpacked = 0;
  for (const card::ZipEntry& entry : directory->entries) {
    Require(entry.dataOffset >= directory->archiveStart);
    if (entry.size > kMaxUnpackedPerInput - unpacked) continue;
    unpacked += entry.size;
    Unpack(file, entry);
  }
}

void ExercisePackage(ByteView file) {
  auto package = card::ReadPackage(file);
  if (!package) {
    Require(!package.error().empty());
    return;
  }
  Require(package->files.size() <= card::kMaxPackageFiles);
  Require(card::FitsIn(file.size() - 4, package->messageOffset, card::kMessageAreaSize));
  const ByteView message = package->MessageFile();
  Require(message.size() < card::kMessageAreaSize);
  Require(std::find(message.begin(), message.end(), 0) == message.end());
  std::uint64_t total = 0;
  for (const card::ZipEntry& entry : package->files) {
    Require(entry.dataOffset > package->programSize);
    Require(card::CheckEntryName({entry.name, entry.utf8Name}).ok());
    total += entry.size;
    Unpack(file, entry);
  }
  Require(total <= card::kMaxUnpackedSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteView file(data, size);
  ExerciseZip(file);
  ExercisePackage(file);
  return 0;
}
