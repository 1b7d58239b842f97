// The stamp and the limits of a card package (see package_layout.h).
#include "package/package_layout.h"

#include <algorithm>
#include <string>
#include <vector>

namespace card {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Megabytes(std::uint64_t bytes) {
  return std::to_string((bytes + 1024 * 1024 - 1) / (1024 * 1024)) + " MB";
}

}  // namespace

std::array<char, kStampSize> MakeStamp(std::uint32_t programCrc) {
  std::array<char, kStampSize> stamp{};
  auto out = std::copy(kStampStart.begin(), kStampStart.end(), stamp.begin());
  for (int shift = 28; shift >= 0; shift -= 4) *out++ = kHexDigits[(programCrc >> shift) & 0xF];
  std::copy(kStampEnd.begin(), kStampEnd.end(), out);
  return stamp;
}

std::optional<std::uint32_t> ReadStamp(std::string_view stamp) {
  if (stamp.size() != kStampSize || !stamp.starts_with(kStampStart) ||
      !stamp.ends_with(kStampEnd)) {
    return std::nullopt;
  }
  std::uint32_t crc = 0;
  for (char digit : stamp.substr(kStampStart.size(), 8)) {
    const char* found = std::find(kHexDigits, kHexDigits + 16, digit);
    if (found == kHexDigits + 16) return std::nullopt;
    crc = crc << 4 | static_cast<std::uint32_t>(found - kHexDigits);
  }
  return crc;
}

Status CheckCardFiles(std::span<const CardFileInfo> files) {
  if (files.size() > kMaxPackageFiles) {
    return Fail("It holds " + std::to_string(files.size()) + " files, more than the " +
                std::to_string(kMaxPackageFiles) + " a card may have.");
  }
  std::vector<EntryName> names;
  std::uint64_t total = 0;
  for (const CardFileInfo& file : files) {
    names.push_back(file.name);
    total += file.size;
    for (std::string_view reserved : {kUnpackedProgramName, kMessageFile, kInUseLockName}) {
      if (SameFileName(file.name.name, reserved)) {
        return Fail("It holds a file named " + ShownEntryName(file.name.name) +
                    ", a name the card keeps for a file of its own.");
      }
    }
  }
  if (Status status = CheckEntryNames(names); !status) return status;
  if (total > kMaxUnpackedSize) {
    return Fail("Its files would take " + Megabytes(total) + " unpacked, more than the " +
                Megabytes(kMaxUnpackedSize) + " a card may have.");
  }
  return {};
}

}  // namespace card
