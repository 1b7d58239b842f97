// The Win32 file operations of a new card (see card_file_system_win.h).
#include "newcard/card_file_system_win.h"

#include "framework/path_text_win.h"
#include "newcard/package_file_win.h"
#include "newcard/system_error_win.h"

#include <windows.h>

namespace card {

bool Win32CardFiles::Exists(const std::string& path) {
  return GetFileAttributesW(WidenUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

CardFileSystem::CopyOutcome Win32CardFiles::CopyToNewFile(const std::string& from,
                                                          const std::string& to) {
  if (CopyFileW(WidenUtf8(from).c_str(), WidenUtf8(to).c_str(), TRUE)) return {CopyResult::kCopied, ""};
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
    return {CopyResult::kNameTaken, ""};
  }
  return {CopyResult::kFailed, "The card package \"" + from + "\" could not be copied to \"" +
                                   to + "\": " + SystemErrorText(error)};
}

Result<std::unique_ptr<PackageFile>> Win32CardFiles::OpenPackage(const std::string& path) {
  Result<std::unique_ptr<Win32PackageFile>> file = Win32PackageFile::Open(path);
  if (!file) return Fail(file.error());
  return std::unique_ptr<PackageFile>(std::move(file).value());
}

Status Win32CardFiles::Remove(const std::string& path) {
  ClearReadOnly(path);
  if (!DeleteFileW(WidenUtf8(path).c_str())) {
    return Fail("Cannot delete \"" + path + "\": " + SystemErrorText(GetLastError()));
  }
  return {};
}

}  // namespace card
