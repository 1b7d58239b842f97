// Mapping the program's own file (see own_file_win.h).
#include "package/own_file_win.h"

#include "newcard/system_error_win.h"

namespace card {
namespace {

// The full path of the running program, however long.
std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

Failure CannotRead(DWORD error) {
  return Fail("The card file cannot be read: " + SystemErrorText(error));
}

}  // namespace

Result<std::unique_ptr<OwnFile>> OwnFile::Open() {
  std::wstring path = ModulePath();
  if (path.empty()) return CannotRead(GetLastError());
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return CannotRead(GetLastError());
  LARGE_INTEGER size{};
  HANDLE mapping = nullptr;
  const void* view = nullptr;
  if (GetFileSizeEx(file, &size) && static_cast<std::uint64_t>(size.QuadPart) <= SIZE_MAX) {
    mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping != nullptr) view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  }
  if (view == nullptr) {
    const DWORD error = GetLastError();
    if (mapping != nullptr) CloseHandle(mapping);
    CloseHandle(file);
    return CannotRead(error);
  }
  const ByteView bytes(static_cast<const std::uint8_t*>(view),
                       static_cast<std::size_t>(size.QuadPart));
  return std::unique_ptr<OwnFile>(new OwnFile(std::move(path), file, mapping, bytes));
}

OwnFile::OwnFile(std::wstring path, HANDLE file, HANDLE mapping, ByteView bytes)
    : path_(std::move(path)), file_(file), mapping_(mapping), bytes_(bytes) {}

OwnFile::~OwnFile() {
  UnmapViewOfFile(bytes_.data());
  CloseHandle(mapping_);
  CloseHandle(file_);
}

}  // namespace card
