// The one rule by which the card finds the files of its folder. Names in a card (the content
// files themselves, Layout.txt's pictures) refer to files as Windows does: without regard to
// ASCII case, with '\' between folders. On Windows the file system answers that way by itself;
// elsewhere the folder is searched for a matching name.
#pragma once

#include "content/content_file_names.h"

#include <optional>
#include <string>
#include <string_view>

namespace card {

// The path of the file that `name` (relative, '\' or '/' between folders, an optional leading
// ".\") names inside `folder` ("" for the current folder); nothing when there is no such file,
// or when `name` is absolute or leaves the folder.
std::optional<std::string> FindCardFile(const std::string& folder, std::string_view name);

// `name` with '/' between its parts and no leading "./"; nothing when it is empty, absolute
// (a leading slash, a drive letter) or steps out of the folder with "..".
std::optional<std::string> CardRelativePath(std::string_view name);

// The folder as the person who opened the card knows it: absolute, ending in the separator.
std::string FolderShownToPeople(const std::string& folder);

// "This card's files are missing: Layout.txt is not in C:\Cards\" (the folder as above).
std::string MissingFileMessage(const std::string& folder, std::string_view name);

}  // namespace card
