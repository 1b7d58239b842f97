// Playing the card a package carries (see package_start_win.h).
#include "package/package_start_win.h"

#include "framework/path_text_win.h"
#include "package/own_file_win.h"
#include "package/package_layout.h"
#include "package/package_messages.h"
#include "package/package_reader.h"
#include "package/private_folder_win.h"
#include "package/program_image.h"
#include "sound/music_player_win.h"

#include <windows.h>

namespace card {
namespace {

constexpr int kRefused = 1;

int Refuse(const std::string& text) {
  MessageBoxW(nullptr, WidenUtf8(text).c_str(), WidenUtf8(kCardBoxTitle).c_str(),
              MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
  return kRefused;
}

// The user's temporary folder, ending in a backslash, spelt so that the ANSI calls of the
// card's music can use it.
std::wstring TemporaryFolder() {
  std::wstring path(MAX_PATH + 1, L'\0');
  const DWORD length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
  path.resize(length < path.size() ? length : 0);
  return AnsiSafePath(path);
}

// Writes msg.txt and the card's files into the folder; the text of the box that refuses the
// card when anything fails.
std::optional<std::string> Unpack(ByteView file, const CardPackage& package,
                                  PrivateFolder& folder) {
  const std::string where = ToUtf8(folder.Path());
  auto write = [&](std::string_view name, ByteView bytes) -> std::optional<std::string> {
    if (Status written = folder.Write(name, bytes); !written) {
      return UnpackFailedText(where, written.error());
    }
    return std::nullopt;
  };
  if (auto failed = write(kMessageFile, package.MessageFile())) return failed;
  for (const ZipEntry& entry : package.files) {
    Result<std::vector<std::uint8_t>> bytes = UnpackZipEntry(file, entry);
    if (!bytes) return DamagedCardText(bytes.error());
    if (auto failed = write(entry.name, *bytes)) return failed;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> PlayPackagedCard(const PlayCardFunction& playCard) {
  Result<std::unique_ptr<OwnFile>> own = OwnFile::Open();
  if (!own) return std::nullopt;  // a program that cannot read itself can only be itself
  const ByteView file = (*own)->Bytes();
  if (Result<std::uint64_t> end = ProgramImageEnd(file); end && *end == file.size()) {
    return std::nullopt;
  }

  const std::wstring temporary = TemporaryFolder();
  RemoveLeftoverFolders(temporary);
  Result<CardPackage> package = ReadPackage(file);
  if (!package) return Refuse(DamagedCardText(package.error()));
  Result<std::unique_ptr<PrivateFolder>> made = PrivateFolder::Make(temporary);
  if (!made) return Refuse(UnpackFailedText(ToUtf8(temporary), made.error()));
  PrivateFolder& folder = **made;
  if (std::optional<std::string> refusal = Unpack(file, *package, folder)) {
    folder.Remove();
    return Refuse(*refusal);
  }
  if (!SetCurrentDirectoryW(folder.Path().c_str())) {
    const std::string reason = "It cannot be made the working folder.";
    folder.Remove();
    return Refuse(UnpackFailedText(ToUtf8(folder.Path()), reason));
  }

  const std::string packagePath = ToUtf8((*own)->Path());
  own->reset();  // everything of it is written out
  SetMusicFolder(ToAnsi(folder.Path()));
  const int exitCode = playCard({packagePath});
  // The working folder would keep the private folder from being removed.
  SetCurrentDirectoryW(temporary.c_str());
  folder.Remove();
  return exitCode;
}

}  // namespace card
