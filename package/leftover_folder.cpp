// Telling leftover private folders from everything else (see leftover_folder.h).
#include "package/leftover_folder.h"

#include "content/content_file_names.h"
#include "package/entry_name_rules.h"
#include "package/package_layout.h"
#include "package/private_folder_name.h"

#include <algorithm>

namespace card {
namespace {

// A plain file of a name the start code writes into a private folder: its lock, msg.txt or one
// of the card's files.
bool IsWrittenByStart(const ListedEntry& entry) {
  if (entry.folder || entry.reparsePoint) return false;
  if (SameFileName(entry.name, kInUseLockName) || SameFileName(entry.name, kMessageFile)) {
    return true;
  }
  return !SameFileName(entry.name, kUnpackedProgramName) &&
         CheckEntryName({entry.name, true}).ok();
}

}  // namespace

bool IsRemovableLeftover(const LeftoverCandidate& candidate) {
  const ListedEntry& folder = candidate.entry;
  // The lock and msg.txt come on top of the card's own files.
  return folder.folder && !folder.reparsePoint && IsPrivateFolderName(folder.name) &&
         candidate.ownedByCurrentUser && candidate.contents.size() <= kMaxPackageFiles + 2 &&
         std::all_of(candidate.contents.begin(), candidate.contents.end(), IsWrittenByStart);
}

}  // namespace card
