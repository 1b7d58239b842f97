// Finding card files where names are case-sensitive: the exact name first, then any file of the
// folder whose name differs only in ASCII case.
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

fs::path FolderPath(const std::string& folder) { return fs::path(folder.empty() ? "." : folder); }

}  // namespace

std::optional<std::string> FindCardFile(const std::string& folder, std::string_view name) {
  const std::optional<std::string> plain = CardFileName(name);
  if (!plain) return std::nullopt;
  const fs::path path = FolderPath(folder);
  std::error_code error;
  if (fs::is_regular_file(path / *plain, error)) return (path / *plain).string();
  for (const auto& entry : fs::directory_iterator(path, error)) {
    if (SameIgnoringCase(entry.path().filename().string(), *plain) &&
        fs::is_regular_file(entry.path(), error)) {
      return entry.path().string();
    }
  }
  return std::nullopt;
}

std::string FolderShownToPeople(const std::string& folder) {
  std::error_code error;
  std::string shown = fs::absolute(FolderPath(folder), error).lexically_normal().string();
  if (shown.empty()) shown = folder;
  if (!shown.ends_with('/')) shown += '/';
  return shown;
}

}  // namespace card
