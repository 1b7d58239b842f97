// NameDirectory: checking the table at open, and the binary search both content files use.
#include "content/name_directory.h"

#include "content/content_damage.h"
#include "content/nul_bound.h"

#include <string>

namespace card {

namespace {

constexpr std::size_t kHeaderSize = 8;  // D0, N
constexpr std::size_t kEntrySize = 8;   // name offset, value offset

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
  for (std::size_t i = 0;; ++i) {
    const int left = i < a.size() ? static_cast<signed char>(a[i]) : 0;
    const int right = i < b.size() ? static_cast<signed char>(b[i]) : 0;
    if (left != right) return left < right ? -1 : 1;
    if (left == 0) return 0;
  }
}

Result<NameDirectory> NameDirectory::Parse(ByteView file, std::size_t offset,
                                           std::string_view fileName, std::string_view kind) {
  const std::uint64_t size = file.size();
  const std::string directory = "the " + std::string(kind) + " directory";
  if (!FitsIn(size, offset, kHeaderSize)) {
    return Fail(DamagedMessage(fileName, EndsPastFile(directory + "'s header",
                                                      std::uint64_t{offset} + kHeaderSize, size)));
  }
  const std::uint32_t count = *ReadU32(file, offset + 4);
  const std::uint64_t tableEnd =
      std::uint64_t{offset} + kHeaderSize + std::uint64_t{count} * kEntrySize;
  if (tableEnd > size) {
    return Fail(DamagedMessage(
        fileName, EndsPastFile(directory + "'s table of " + std::to_string(count) + " entries",
                               tableEnd, size)));
  }

  NameDirectory parsed;
  parsed.file_ = file;
  parsed.offset_ = offset;
  parsed.firstWord_ = *ReadU32(file, offset);
  parsed.count_ = count;
  const NulBound nulBound(file);
  for (std::size_t i = 0; i < parsed.count_; ++i) {
    const std::uint64_t start = tableEnd + parsed.EntryWord(i, 0);
    const std::string entry = std::string(kind) + " " + std::to_string(i) + "'s name";
    if (start >= size) {
      return Fail(DamagedMessage(fileName, entry + " starts at byte " + std::to_string(start) +
                                               " but the file has " + std::to_string(size) +
                                               " bytes"));
    }
    if (!nulBound.EndsInside(start)) {
      return Fail(
          DamagedMessage(fileName, entry + " has no ending NUL before the end of the file"));
    }
  }
  return parsed;
}

std::uint32_t NameDirectory::EntryWord(std::size_t i, std::size_t word) const {
  return *ReadU32(file_, offset_ + kHeaderSize + i * kEntrySize + word * 4);
}

std::size_t NameDirectory::End() const { return offset_ + kHeaderSize + count_ * kEntrySize; }

std::string_view NameDirectory::Name(std::size_t i) const {
  if (i >= count_) return {};
  return ReadCString(file_, End() + EntryWord(i, 0)).value_or(std::string_view{});
}

std::uint64_t NameDirectory::ValueOffset(std::size_t i) const {
  if (i >= count_) return file_.size();
  return std::uint64_t{End()} + EntryWord(i, 1);
}

std::optional<std::size_t> NameDirectory::Find(std::string_view name) const {
  // Signed bounds: hi starts at N - 1, which is -1 for an empty directory.
  std::int64_t lo = 0;
  std::int64_t hi = static_cast<std::int64_t>(count_) - 1;
  while (lo <= hi) {
    const std::int64_t mid = (lo + hi) / 2;
    const int order = CompareNames(name, Name(static_cast<std::size_t>(mid)));
    if (order < 0) {
      hi = mid - 1;
    } else if (order > 0) {
      lo = mid + 1;
    } else {
      const std::uint64_t value = ValueOffset(static_cast<std::size_t>(mid));
      if (value >= file_.size()) return std::nullopt;
      return static_cast<std::size_t>(value);
    }
  }
  return std::nullopt;
}

}  // namespace card
