// The private folder of a card package (see private_folder_win.h).
#include "package/private_folder_win.h"

#include "framework/path_text_win.h"
#include "newcard/system_error_win.h"
#include "package/leftover_folder.h"
#include "package/package_layout.h"
#include "package/private_folder_name.h"

#include <aclapi.h>
#include <sddl.h>

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

// What in `folder` matches `pattern`, but "." and "..".
std::vector<ListedEntry> Listing(const std::wstring& folder, const std::wstring& pattern = L"*") {
  std::vector<ListedEntry> entries;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back({ToUtf8(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

// The user the process runs as, from its token; empty when it cannot be read.
std::vector<std::uint8_t> ReadTokenUser() {
  std::vector<std::uint8_t> user;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return user;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  user.resize(size);
  if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) user.clear();
  CloseHandle(token);
  return user;
}

PSID CurrentUser() {
  static const std::vector<std::uint8_t> user = ReadTokenUser();
  return user.empty() ? nullptr : reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;
}

// A security descriptor that lets the current user alone into a new folder and what it holds,
// whatever the parent folder would hand down.
class UserOnlySecurity {
 public:
  UserOnlySecurity() {
    LPWSTR user = nullptr;
    if (!CurrentUser() || !ConvertSidToStringSidW(CurrentUser(), &user)) return;
    const std::wstring text = std::wstring(L"D:P(A;OICI;FA;;;") + user + L")";
    LocalFree(user);
    ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                         &descriptor_, nullptr);
  }
  ~UserOnlySecurity() { LocalFree(descriptor_); }
  UserOnlySecurity(const UserOnlySecurity&) = delete;
  UserOnlySecurity& operator=(const UserOnlySecurity&) = delete;

  // Null when the descriptor could not be made.
  SECURITY_ATTRIBUTES* Attributes() {
    if (!descriptor_) return nullptr;
    attributes_ = {sizeof attributes_, descriptor_, FALSE};
    return &attributes_;
  }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

// Whether the folder itself, not what a link in its place leads to, is the current user's.
bool OwnedByCurrentUser(const std::wstring& folder) {
  HANDLE handle = CreateFileW(folder.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE |
                              FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const bool read = GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                    nullptr, nullptr, nullptr, &descriptor) == ERROR_SUCCESS;
  CloseHandle(handle);
  const bool same = read && owner && CurrentUser() && EqualSid(owner, CurrentUser());
  LocalFree(descriptor);
  return same;
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
  for (const ListedEntry& entry : Listing(folder)) {
    const std::wstring name = WidenUtf8(entry.name);
    if (_wcsicmp(name.c_str(), keep.c_str()) != 0) all = DeleteAnyFile(folder + name) && all;
  }
  return all;
}

bool RemoveFolder(const std::wstring& folder) {
  return RemoveDirectoryW(folder.c_str()) || Gone(GetLastError());
}

void RemoveIfUnused(const std::wstring& folder) {
  // A held lock cannot be deleted.
  if (!DeleteAnyFile(folder + WidenUtf8(kInUseLockName))) return;
  if (DeleteFilesBut(folder, L"")) RemoveFolder(folder);
}

}  // namespace

Result<std::unique_ptr<PrivateFolder>> PrivateFolder::Make(const std::wstring& parent) {
  UserOnlySecurity security;
  if (!security.Attributes()) {
    return Fail("The folder's permissions cannot be limited to you: " +
                SystemErrorText(GetLastError()));
  }
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    const std::wstring path = parent + WidenUtf8(PrivateFolderName(FolderNumber())) + L"\\";
    if (!CreateDirectoryW(path.c_str(), security.Attributes())) {
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
    return Fail("The file " + std::string(name) + " cannot be made: " +
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
    return Fail("The file " + std::string(name) + " cannot be written: " +
                SystemErrorText(error));
  }
  return {};
}

bool PrivateFolder::Remove() {
  if (lock_ == nullptr) return true;
  const std::wstring lockName = WidenUtf8(kInUseLockName);
  bool removed = DeleteFilesBut(path_, lockName);
  // The card's sound and music may take a moment to let go of its files.
  for (int attempt = 1; !removed && attempt < kRemoveAttempts; ++attempt) {
    Sleep(kRemovePauseMs);
    removed = DeleteFilesBut(path_, lockName);
  }
  CloseHandle(lock_);  // deletes the lock file
  lock_ = nullptr;
  return removed && RemoveFolder(path_);
}

void RemoveLeftoverFolders(const std::wstring& parent) {
  for (ListedEntry& entry : Listing(parent, WidenUtf8(kPrivateFolderPrefix) + L"*")) {
    const std::wstring path = parent + WidenUtf8(entry.name) + L"\\";
    const LeftoverCandidate candidate{std::move(entry), OwnedByCurrentUser(path), Listing(path)};
    if (IsRemovableLeftover(candidate)) RemoveIfUnused(path);
  }
}

}  // namespace card
