// Which folders in the temporary folder a card package's start may remove as leftovers of
// earlier runs. The temporary folder is shared with everything the user runs, so only a folder
// that is certainly one of ours goes: a real folder (never a junction or any other reparse
// point, which would lead the removal elsewhere), named exactly as a private folder is, owned
// by the current user and holding nothing but plain files the start code writes there.
#pragma once

#include <string>
#include <vector>

namespace card {

// One entry of a folder listing, as the file system reports it.
struct ListedEntry {
  std::string name;  // UTF-8
  bool folder = false;
  bool reparsePoint = false;
};

// What the start code found out about one entry of the temporary folder.
struct LeftoverCandidate {
  ListedEntry entry;
  bool ownedByCurrentUser = false;
  std::vector<ListedEntry> contents;  // without "." and ".."
};

// True when the candidate is a private folder that may be removed (once nothing holds it).
bool IsRemovableLeftover(const LeftoverCandidate& candidate);

}  // namespace card
