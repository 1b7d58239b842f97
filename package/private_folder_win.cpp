// The private folder of a card package (see private_folder_win.h).
#include "package/private_folder_win.h"

#include "newcard/system_error_win.h"
#include "package/package_layout.h"
#include "package/path_text_win.h"
#include "package/private_folder_name.h"

#include <algorithm>
#include <vector>

namespace card {
namespace {

constexpr int kMaxNameAttempts = 100;
constexpr int kRemoveAttempts = 40;
constexpr DWORD kRemovePauseMs = 50;
constexpr DWORD kWriteChunk = 1 << 20;

// A different number on every call, in every process.
std::uint32_t FolderNumber() {
  static std::uint32_t calls = 0;
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<std::uint32_t>(counter.QuadPart) ^ (GetCurrentProcessId() << 16) ^
         (++calls * 0x9E3779B9u);
}

// The names of the files in `folder`, folders left out.
std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool Gone(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Deletes a file whatever its attributes; true when it is not there any more.
bool DeleteAnyFile(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileW(path.c_str()) || Gone(GetLastError());
}

// Deletes every file of `folder` but `keep`; true when they are all gone.
bool DeleteFilesBut(const std::wstring& folder, const std::wstring& keep) {
  bool all = true;
  for (const std::wstring& name : FilesIn(folder)) {
    if (_wcsicmp(name.c_str(), keep.c_str()) != 0) all = DeleteAnyFile(folder + name) && all;
  }
  return all;
}

bool RemoveFolder(const std::wstring& folder) {
  return RemoveDirectoryW(folder.c_str()) || Gone(GetLastError());
}

void RemoveIfUnused(const std::wstring& folder) {
  // A held lock, or a card program running from the folder, cannot be deleted.
  for (std::string_view guard : {kInUseLockName, kUnpackedProgramName}) {
    if (!DeleteAnyFile(folder + WidenUtf8(guard))) return;
  }
  if (DeleteFilesBut(folder, L"")) RemoveFolder(folder);
}

}  // namespace

Result<std::unique_ptr<PrivateFolder>> PrivateFolder::Make(const std::wstring& parent) {
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    const std::wstring path = parent + WidenUtf8(PrivateFolderName(FolderNumber())) + L"\\";
    if (!CreateDirectoryW(path.c_str(), nullptr)) {
      const DWORD error = GetLastError();
      if (error == ERROR_ALREADY_EXISTS) continue;
      return Fail("A folder cannot be made there: " + SystemErrorText(error));
    }
    HANDLE lock = CreateFileW((path + WidenUtf8(kInUseLockName)).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock != INVALID_HANDLE_VALUE) {
      return std::unique_ptr<PrivateFolder>(new PrivateFolder(path, lock));
    }
    const DWORD error = GetLastError();
    // Another package's start took the new, still unlocked folder for a leftover: try again.
    if (Gone(error)) continue;
    RemoveDirectoryW(path.c_str());
    return Fail("No file can be written in a new folder there: " + SystemErrorText(error));
  }
  return Fail("Every new folder name tried there was taken.");
}

PrivateFolder::PrivateFolder(std::wstring path, HANDLE lock)
    : path_(std::move(path)), lock_(lock) {}

PrivateFolder::~PrivateFolder() { Remove(); }

Status PrivateFolder::Write(std::string_view name, ByteView bytes) {
  const std::wstring wideName = WidenUtf8(name);
  if (wideName.empty()) return Fail("A file of the card has a name Windows cannot spell.");
  HANDLE file = CreateFileW((path_ + wideName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return Fail("The file " + ToAnsi(wideName) + " cannot be made: " +
                SystemErrorText(GetLastError()));
  }
  DWORD error = ERROR_SUCCESS;
  for (std::size_t done = 0; done < bytes.size() && error == ERROR_SUCCESS;) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(kWriteChunk, bytes.size() - done));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written != chunk) {
      error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_DISK_FULL;
    }
    done += written;
  }
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  if (error != ERROR_SUCCESS) {
    return Fail("The file " + ToAnsi(wideName) + " cannot be written: " + SystemErrorText(error));
  }
  return {};
}

bool PrivateFolder::Remove() {
  if (lock_ == nullptr) return true;
  const std::wstring lockName = WidenUtf8(kInUseLockName);
  bool removed = DeleteFilesBut(path_, lockName);
  // A program that has just ended may take a moment to let go of its files.
  for (int attempt = 1; !removed && attempt < kRemoveAttempts; ++attempt) {
    Sleep(kRemovePauseMs);
    removed = DeleteFilesBut(path_, lockName);
  }
  CloseHandle(lock_);  // deletes the lock file
  lock_ = nullptr;
  return removed && RemoveFolder(path_);
}

void RemoveLeftoverFolders(const std::wstring& parent) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((parent + WidenUtf8(kPrivateFolderPrefix) + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<std::wstring> folders;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        IsPrivateFolderName(ToAnsi(found.cFileName))) {
      folders.push_back(parent + found.cFileName + L"\\");
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  for (const std::wstring& folder : folders) RemoveIfUnused(folder);
}

}  // namespace card
