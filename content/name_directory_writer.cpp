// Laying out a NameDirectory for the content-file writers.
#include "content/name_directory_writer.h"

#include "common/byte_writer.h"
#include "content/content_damage.h"
#include "content/name_directory.h"

#include <algorithm>

namespace card {

Result<std::vector<std::uint8_t>> WriteNameDirectory(std::uint32_t firstWord,
                                                     std::vector<NamedValue> entries,
                                                     std::string_view kind) {
  const std::string kindText(kind);
  for (const NamedValue& entry : entries) {
    if (entry.name.empty() || entry.name.find('\0') != std::string::npos) {
      return Fail("The " + kindText + " name " + QuotedName(entry.name) +
                  " cannot be stored: names must be non-empty and hold no NUL byte.");
    }
  }
  std::stable_sort(entries.begin(), entries.end(), [](const NamedValue& a, const NamedValue& b) {
    return CompareNames(a.name, b.name) < 0;
  });
  for (std::size_t i = 1; i < entries.size(); ++i) {
    if (entries[i - 1].name == entries[i].name) {
      return Fail("Two " + kindText + "s are named " + QuotedName(entries[i].name) + ".");
    }
  }

  // The whole directory must fit 32-bit offsets, and in Card.FAS its size is stored as D0.
  std::uint64_t size = 8 + std::uint64_t{8} * entries.size();
  for (const NamedValue& entry : entries) size += entry.name.size() + 1 + entry.value.size();
  if (size > UINT32_MAX) {
    return Fail("The " + kindText + "s take more room than the file's 32-bit offsets can reach.");
  }

  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(size));
  AppendU32(out, firstWord);
  AppendU32(out, static_cast<std::uint32_t>(entries.size()));
  std::uint32_t offset = 0;
  for (const NamedValue& entry : entries) {
    const auto nameSize = static_cast<std::uint32_t>(entry.name.size() + 1);
    AppendU32(out, offset);
    AppendU32(out, offset + nameSize);
    offset += nameSize + static_cast<std::uint32_t>(entry.value.size());
  }
  for (const NamedValue& entry : entries) {
    out.insert(out.end(), entry.name.begin(), entry.name.end());
    out.push_back(0);
    out.insert(out.end(), entry.value.begin(), entry.value.end());
  }
  return out;
}

}  // namespace card
