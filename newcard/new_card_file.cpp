// Making the new card file (see new_card_file.h).
#include "newcard/new_card_file.h"

#include "newcard/card_file_name.h"
#include "newcard/card_package.h"

#include <set>

namespace card {
namespace {

NewCardFile Failed(std::string path, std::string reason) {
  return {NewCardFile::Outcome::kFailed, std::move(path), std::move(reason)};
}

Status WriteMessageIntoCopy(const std::string& path, const CardMessage& message,
                            CardFileSystem& files) {
  Result<std::unique_ptr<PackageFile>> copy = files.OpenPackage(path);
  if (!copy) return Fail(copy.error());
  return WriteMessageIntoPackage(**copy, message);
}

}  // namespace

NewCardFile MakeNewCardFile(const CardMessage& message, std::string_view packagePath,
                            const TextCodec& codec, CardFileSystem& files) {
  // Names someone else took while this card was being made count as existing from then on,
  // so each race moves on to a name not tried before.
  std::set<std::string> taken;
  const FileExistsFunction exists = [&](const std::string& path) {
    return taken.count(path) != 0 || files.Exists(path);
  };
  std::string path;
  for (int attempt = 0; attempt < kMaxNameRaces; ++attempt) {
    path = MakeCardFileName(message.text, packagePath, codec, exists);
    if (packagePath.empty()) return {NewCardFile::Outcome::kNotWritten, path, ""};

    const CardFileSystem::CopyOutcome copy = files.CopyToNewFile(std::string(packagePath), path);
    if (copy.result == CardFileSystem::CopyResult::kNameTaken) {
      taken.insert(path);
      continue;
    }
    if (copy.result == CardFileSystem::CopyResult::kFailed) return Failed(path, copy.error);

    const Status written = WriteMessageIntoCopy(path, message, files);
    if (written) return {NewCardFile::Outcome::kCreated, path, ""};
    std::string reason = written.error();
    if (const Status removed = files.Remove(path); !removed) {
      reason += " The unfinished file could not be removed: " + removed.error();
    }
    return Failed(path, std::move(reason));
  }
  return Failed(path, "Every name tried for the new card was taken by another file while the "
                      "card was being made; the last one was \"" + path + "\".");
}

}  // namespace card
