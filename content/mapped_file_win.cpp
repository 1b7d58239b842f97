// MappedFile for the card: the file is opened with share mode 0, so while the card runs no
// other program can open it to read or change it, and the view is never copied.
#include "content/mapped_file.h"

#include <windows.h>

#include <cstdint>

namespace card {

// Released in the reverse order of creation: view, mapping, file.
struct MappedFile::Handles {
  HANDLE file = INVALID_HANDLE_VALUE;
  HANDLE mapping = nullptr;
  const void* view = nullptr;

  Handles() = default;
  Handles(const Handles&) = delete;
  Handles& operator=(const Handles&) = delete;
  ~Handles() {
    if (view != nullptr) UnmapViewOfFile(view);
    if (mapping != nullptr) CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
};

namespace {

// The system's sentence for an error code, without its line break and final full stop.
std::string SystemReason(DWORD error) {
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                        text[length - 1] == ' ' || text[length - 1] == '.')) {
    --length;
  }
  if (length == 0) return "system error " + std::to_string(error);
  return std::string(text, length);
}

Failure CannotOpen(const std::string& path, const char* how, DWORD error) {
  return Fail(path + " cannot be " + how + ": " + SystemReason(error) + ".");
}

}  // namespace

Result<std::unique_ptr<MappedFile>> MappedFile::Open(const std::string& path) {
  auto handles = std::make_unique<Handles>();
  handles->file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handles->file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      return Fail(path + " is missing.");
    }
    return CannotOpen(path, "opened", error);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handles->file, &size)) return CannotOpen(path, "read", GetLastError());
  if (static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX) {
    return Fail(path + " cannot be mapped: it is too large.");
  }
  // The system refuses to map an empty file; it stays open (and locked) with an empty view.
  if (size.QuadPart > 0) {
    handles->mapping = CreateFileMappingA(handles->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (handles->mapping == nullptr) return CannotOpen(path, "mapped", GetLastError());
    handles->view = MapViewOfFile(handles->mapping, FILE_MAP_READ, 0, 0, 0);
    if (handles->view == nullptr) return CannotOpen(path, "mapped", GetLastError());
  }
  const ByteView bytes(static_cast<const std::uint8_t*>(handles->view),
                       static_cast<std::size_t>(size.QuadPart));
  return std::unique_ptr<MappedFile>(new MappedFile(std::move(handles), bytes));
}

MappedFile::MappedFile(std::unique_ptr<Handles> handles, ByteView bytes)
    : handles_(std::move(handles)), bytes_(bytes) {}

MappedFile::~MappedFile() = default;

}  // namespace card
