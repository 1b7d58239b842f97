// Which file names a card package may hold. The card's files are unpacked side by side into one
// fresh folder on Windows, so a name must be a plain file name there: no folder, no way out of
// the folder, no drive, no device, nothing Windows would change or refuse, no two names that
// Windows takes for the same file, and only the types of file a card may carry (its content,
// and what a page needs: no program, library, script or shortcut).
#pragma once

#include "common/result.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace card {

constexpr std::size_t kMaxEntryNameLength = 100;  // bytes; keeps unpacked paths short

struct EntryName {
  std::string_view name;  // the stored bytes
  bool utf8;              // the archive marks it as UTF-8
};

// Why `name` cannot be a card's file, as what follows "a file named X, which" ("is a name
// Windows keeps for a device"; "a file without a name" for an empty one); empty when it can.
std::string EntryNameProblem(const EntryName& name);

// Why `name` cannot be a card's file, as a sentence about the package ("It holds a file named
// "CON", a name Windows keeps for a device."), or success.
Status CheckEntryName(const EntryName& name);

// CheckEntryName for each, then that no two are the same name in any mix of upper and lower
// case (ASCII letters; Windows folds more, and the unpacking refuses to replace a file).
Status CheckEntryNames(std::span<const EntryName> names);

// Whether two names are one file name on Windows as far as ASCII case goes.
bool SameFileName(std::string_view a, std::string_view b);

// A stored name in double quotes for a message: printable ASCII as it is, anything else '?'.
std::string ShownEntryName(std::string_view name);

}  // namespace card
