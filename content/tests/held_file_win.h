// Test helpers for content files on Windows: a file in the temporary folder, and whether
// another program could open a file the card holds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace card::testing {

// A file in the temporary folder, removed at the end of the test.
class TempFile {
 public:
  explicit TempFile(const std::vector<std::uint8_t>& bytes) {
    char folder[MAX_PATH] = {};
    char name[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "crd", 0, name);
    path_ = name;
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() { DeleteFileA(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Whether another opener, sharing everything it can, gets the file with `access`; the error
// it met otherwise.
inline DWORD OpenAsAnotherProgram(const std::string& path, DWORD access) {
  HANDLE file =
      CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return ERROR_SUCCESS;
}

}  // namespace card::testing
