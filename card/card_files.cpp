// The portable half of finding card files (see card_files.h).
#include "card/card_files.h"

namespace card {

std::optional<std::string> CardRelativePath(std::string_view name) {
  std::string relative(name);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  while (relative.starts_with("./")) relative.erase(0, 2);
  if (relative.empty() || relative.front() == '/' || relative.find(':') != std::string::npos) {
    return std::nullopt;
  }
  std::size_t start = 0;
  while (start <= relative.size()) {
    const std::size_t slash = relative.find('/', start);
    if (relative.substr(start, slash - start) == "..") return std::nullopt;
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return relative;
}

std::string MissingFileMessage(const std::string& folder, std::string_view name) {
  return "This card's files are missing: " + std::string(name) + " is not in " +
         FolderShownToPeople(folder);
}

}  // namespace card
