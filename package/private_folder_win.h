// The private folder a card package unpacks its card into: a fresh folder under the user's
// temporary folder, named by PrivateFolderName, holding a lock file that the running package
// keeps open without delete sharing. The lock is deleted when its handle closes, also when the
// process dies, so a folder whose lock nobody holds is a leftover that the next package start
// removes (see leftover_folder.h for which folders count). The folder lets the current user
// alone in, whatever the temporary folder's permissions would hand down.
#pragma once

#include "common/byte_reader.h"
#include "common/result.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace card {

class PrivateFolder {
 public:
  // Makes a new folder in `parent` (a path that ends in a backslash) and takes its lock.
  // Fails with a sentence that says why the folder cannot be made.
  static Result<std::unique_ptr<PrivateFolder>> Make(const std::wstring& parent);

  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  ~PrivateFolder();  // Remove(), if not done

  // The folder's path, ending in a backslash.
  const std::wstring& Path() const { return path_; }

  // Writes a new file `name` (UTF-8) into the folder; it never replaces a file.
  Status Write(std::string_view name, ByteView bytes);

  // Removes the files and the folder, then lets the lock go. Files still in use get a moment
  // to be let go of; true when everything is gone.
  bool Remove();

 private:
  PrivateFolder(std::wstring path, HANDLE lock);

  std::wstring path_;
  HANDLE lock_;
};

// Removes every leftover private folder in `parent` that no running package holds.
void RemoveLeftoverFolders(const std::wstring& parent);

}  // namespace card
