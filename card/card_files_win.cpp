// Finding card files on Windows, whose file system matches names without regard to case.
#include "card/card_files.h"

#include <windows.h>

namespace card {

std::optional<std::string> FindCardFile(const std::string& folder, std::string_view name) {
  const std::optional<std::string> plain = CardFileName(name);
  if (!plain) return std::nullopt;
  const std::string path = folder.empty() ? *plain : folder + "\\" + *plain;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  return path;
}

std::string FolderShownToPeople(const std::string& folder) {
  char full[MAX_PATH] = {};
  const DWORD length =
      GetFullPathNameA(folder.empty() ? "." : folder.c_str(), MAX_PATH, full, nullptr);
  std::string shown = length > 0 && length < MAX_PATH ? std::string(full, length) : folder;
  if (!shown.ends_with('\\')) shown += '\\';
  return shown;
}

}  // namespace card
