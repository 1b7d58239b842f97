// The file-name rules of a card package (see entry_name_rules.h).
#include "package/entry_name_rules.h"

#include "content/card_file_types.h"
#include "content/windows_device_names.h"

#include <algorithm>
#include <map>

namespace card {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
  return lowered;
}

// Well-formed UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2
                     : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      point = point << 6 | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kShortest[length] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000)) {
      return false;
    }
    i += length;
  }
  return true;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsSlash(char c) { return c == '/' || c == '\\'; }

bool HasParentStep(std::string_view name) {
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && !IsSlash(name[end])) ++end;
    if (name.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

bool IsDriveLetter(std::string_view name) {
  return name.size() >= 2 && name[1] == ':' && ((name[0] >= 'A' && name[0] <= 'Z') ||
                                                (name[0] >= 'a' && name[0] <= 'z'));
}

bool IsForbiddenCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F || std::string_view("<>:\"|?*").find(c) != std::string::npos;
}

}  // namespace

std::string EntryNameProblem(const EntryName& entry) {
  const std::string_view name = entry.name;
  if (name.empty()) return "a file without a name";
  if (HasParentStep(name)) return "would be written outside the card's folder";
  if (IsSlash(name.front())) return "starts at the top of a drive";
  if (IsDriveLetter(name)) return "names a drive";
  if (IsSlash(name.back())) return "is a folder, and a card holds only files";
  if (std::any_of(name.begin(), name.end(), IsSlash)) {
    return "lies in a folder, and a card's files lie side by side in one folder";
  }
  if (name == ".") return "names the card's folder itself";
  if (name.size() > kMaxEntryNameLength) {
    return "is longer than the " + std::to_string(kMaxEntryNameLength) + " characters allowed";
  }
  if (!IsAscii(name) && !(entry.utf8 && IsUtf8(name))) return "is not readable text (UTF-8)";
  if (std::any_of(name.begin(), name.end(), IsForbiddenCharacter)) {
    return "holds a character Windows does not allow in file names";
  }
  if (name.back() == '.' || name.back() == ' ') {
    return "ends with a dot or a space, which Windows would drop";
  }
  if (IsDeviceName(name)) return "is a name Windows keeps for a device";
  if (CardFileTypeOf(name) == CardFileType::None) {
    return "is not a type of file a card may carry (" + CarriedExtensions() + ")";
  }
  return {};
}

Status CheckEntryName(const EntryName& entry) {
  const std::string problem = EntryNameProblem(entry);
  if (problem.empty()) return {};
  if (entry.name.empty()) return Fail("It holds " + problem + ".");
  return Fail("It holds a file named " + ShownEntryName(entry.name) + ", which " + problem + ".");
}

Status CheckEntryNames(std::span<const EntryName> names) {
  std::map<std::string, std::string_view> seen;  // lowered name -> the first name so spelled
  for (const EntryName& entry : names) {
    if (Status status = CheckEntryName(entry); !status) return status;
    const auto [first, added] = seen.emplace(Lowered(entry.name), entry.name);
    if (!added) {
      return Fail("It holds two files of one name, " + ShownEntryName(first->second) + " and " +
                  ShownEntryName(entry.name) + ".");
    }
  }
  return {};
}

bool SameFileName(std::string_view a, std::string_view b) { return Lowered(a) == Lowered(b); }

std::string ShownEntryName(std::string_view name) {
  std::string shown = "\"";
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    shown += byte >= 0x20 && byte < 0x7F ? c : '?';
  }
  return shown + "\"";
}

}  // namespace card
