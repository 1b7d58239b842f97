// The portable half of finding card files (see card_files.h).
#include "card/card_files.h"

#include "content/windows_device_names.h"

namespace card {

std::optional<std::string> CardFileName(std::string_view name) {
  while (name.starts_with(".\\") || name.starts_with("./")) name.remove_prefix(2);
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of("\\/:") != std::string_view::npos || IsDeviceName(name)) {
    return std::nullopt;
  }
  return std::string(name);
}

std::string MissingFileMessage(const std::string& folder, std::string_view name) {
  return "This card's files are missing: " + std::string(name) + " is not in " +
         FolderShownToPeople(folder);
}

}  // namespace card
