// The sorted name-to-offset table that Card.FAS (scripts) and Card.WAS (sounds) share:
//   D0 (u32, meaning belongs to the file), N (u32), N entries of (name offset, value offset),
//   then the string and value area; both offsets count from the start of that area.
// Names are NUL-terminated and sorted by signed byte comparison, so lookups are binary searches.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace card {

// <0, 0 or >0 as `a` sorts before, with or after `b`: byte by byte, the NUL included, each byte
// taken as a signed 8-bit value (so 0x80 and up sort before the NUL that ends a shorter name).
// Like the C string it stands for, a name ends at its first NUL.
int CompareNames(std::string_view a, std::string_view b);

class NameDirectory {
 public:
  NameDirectory() = default;  // an empty directory: finds nothing
  // Checks that the table and every name lie inside `file`, and fails with
  // "<fileName> is damaged: ..." naming the first inconsistency; `kind` ("script", "sound")
  // names the entries in that sentence. Values are the owner's to check. Whether the names
  // are sorted is not checked: a lookup stays inside the file either way.
  static Result<NameDirectory> Parse(ByteView file, std::size_t offset, std::string_view fileName,
                                     std::string_view kind);

  std::uint32_t FirstWord() const { return firstWord_; }  // D0
  std::size_t Count() const { return count_; }
  // Entry i's name (empty when i is out of range).
  std::string_view Name(std::size_t i) const;
  // Entry i's value offset from the start of the file; 64-bit because a damaged 32-bit offset
  // added to the area start may not fit a 32-bit size_t. Not checked against the file's end.
  std::uint64_t ValueOffset(std::size_t i) const;
  std::size_t Offset() const { return offset_; }  // where the directory starts in the file
  std::size_t End() const;  // first byte after the entry table: the start of the area

  // The file offset of the value stored under exactly `name`, by binary search; nothing when
  // the name is absent (or its value would start outside the file).
  std::optional<std::size_t> Find(std::string_view name) const;

 private:
  std::uint32_t EntryWord(std::size_t i, std::size_t word) const;

  ByteView file_;
  std::size_t offset_ = 0;
  std::uint32_t firstWord_ = 0;
  std::size_t count_ = 0;
};

}  // namespace card
