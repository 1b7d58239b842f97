// The one rule by which the card finds the files of its folder. Names in a card (the content
// files themselves, Layout.txt's pictures, the files its hot spots open) come from whoever sent
// it, so they name only plain files of the folder itself, as Windows does: without regard to
// ASCII case. On Windows the file system answers that way by itself; elsewhere the folder is
// searched for a matching name.
#pragma once

#include "content/content_file_names.h"

#include <optional>
#include <string>
#include <string_view>

namespace card {

// The path of the file that `name` (a CardFileName) names inside `folder` ("" for the current
// folder); nothing when there is no such file, or when `name` is not a card file name.
std::optional<std::string> FindCardFile(const std::string& folder, std::string_view name);

// `name` without a leading ".\" (or "./"); nothing when it is not a plain file name of the card
// folder: empty, "." or "..", with a path ('\' or '/', so no share either), a drive or any
// ':', or a name Windows keeps for a device.
std::optional<std::string> CardFileName(std::string_view name);

// The folder as the person who opened the card knows it: absolute, ending in the separator.
std::string FolderShownToPeople(const std::string& folder);

// "This card's files are missing: Layout.txt is not in C:\Cards\" (the folder as above).
std::string MissingFileMessage(const std::string& folder, std::string_view name);

}  // namespace card
