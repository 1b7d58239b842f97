// Finding card files where names are case-sensitive: each part of the name is looked up in its
// folder, the exact name first, then any entry that differs only in ASCII case.
#include "card/card_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace card {
namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<fs::path> FindEntry(const fs::path& folder, std::string_view part) {
  std::error_code error;
  if (fs::exists(folder / std::string(part), error)) return folder / std::string(part);
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (SameIgnoringCase(entry.path().filename().string(), part)) return entry.path();
  }
  return std::nullopt;
}

fs::path FolderPath(const std::string& folder) { return fs::path(folder.empty() ? "." : folder); }

}  // namespace

std::optional<std::string> FindCardFile(const std::string& folder, std::string_view name) {
  const std::optional<std::string> relative = CardRelativePath(name);
  if (!relative) return std::nullopt;
  fs::path found = FolderPath(folder);
  std::size_t start = 0;
  while (start <= relative->size()) {
    const std::size_t slash = relative->find('/', start);
    const std::string part = relative->substr(start, slash - start);
    if (!part.empty() && part != ".") {
      auto entry = FindEntry(found, part);
      if (!entry) return std::nullopt;
      found = *entry;
    }
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  std::error_code error;
  if (!fs::is_regular_file(found, error)) return std::nullopt;
  return found.string();
}

std::string FolderShownToPeople(const std::string& folder) {
  std::error_code error;
  std::string shown = fs::absolute(FolderPath(folder), error).lexically_normal().string();
  if (shown.empty()) shown = folder;
  if (!shown.ends_with('/')) shown += '/';
  return shown;
}

}  // namespace card
