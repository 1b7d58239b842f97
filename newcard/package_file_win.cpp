// The Win32 card package file (see package_file_win.h). Reads and writes loop until every byte
// has moved, as ReadFile and WriteFile may do less than asked.
#include "newcard/package_file_win.h"

#include "framework/path_text_win.h"
#include "newcard/system_error_win.h"

#include <algorithm>
#include <cstdint>

namespace card {
namespace {

// One ReadFile or WriteFile call moves at most this many bytes.
constexpr std::size_t kMaxChunk = 1u << 30;

}  // namespace

bool ClearReadOnly(const std::string& path) {
  const std::wstring widePath = WidenUtf8(path);
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (!(attributes & FILE_ATTRIBUTE_READONLY)) return true;
  return SetFileAttributesW(widePath.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}) != 0;
}

Result<std::unique_ptr<Win32PackageFile>> Win32PackageFile::Open(const std::string& path) {
  // A failure here shows in CreateFileW's result, which is the one reported.
  ClearReadOnly(path);
  HANDLE file = CreateFileW(WidenUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return Fail("Cannot open \"" + path + "\" to write the message into it: " +
                SystemErrorText(GetLastError()));
  }
  return std::unique_ptr<Win32PackageFile>(new Win32PackageFile(file, path));
}

Win32PackageFile::~Win32PackageFile() { CloseHandle(file_); }

Failure Win32PackageFile::Failed(const std::string& what) const {
  return Fail("Cannot " + what + " \"" + path_ + "\": " + SystemErrorText(GetLastError()));
}

bool Win32PackageFile::SeekTo(std::uint64_t offset) {
  LARGE_INTEGER distance;
  distance.QuadPart = static_cast<LONGLONG>(offset);
  return offset <= static_cast<std::uint64_t>(INT64_MAX) &&
         SetFilePointerEx(file_, distance, nullptr, FILE_BEGIN);
}

Result<std::uint64_t> Win32PackageFile::Size() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file_, &size)) return Failed("find the size of");
  return static_cast<std::uint64_t>(size.QuadPart);
}

Status Win32PackageFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
  if (!SeekTo(offset)) return Failed("move to offset " + std::to_string(offset) + " of");
  while (!bytes.empty()) {
    DWORD read = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMaxChunk));
    if (!ReadFile(file_, bytes.data(), chunk, &read, nullptr)) return Failed("read");
    if (read == 0) {
      return Fail("Cannot read " + std::to_string(bytes.size()) + " more bytes of \"" + path_ +
                  "\": the file ends before them.");
    }
    bytes = bytes.subspan(read);
  }
  return {};
}

Status Win32PackageFile::WriteAt(std::uint64_t offset, ByteView bytes) {
  if (!SeekTo(offset)) return Failed("move to offset " + std::to_string(offset) + " of");
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMaxChunk));
    if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0) {
      return Failed("write");
    }
    bytes = bytes.subspan(written);
  }
  return {};
}

}  // namespace card
