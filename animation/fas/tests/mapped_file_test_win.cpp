// MappedFile on Windows: while the card holds a content file, no other program can open it to
// read or to write; a missing or held file is refused with a sentence; the view is the file.
#include "animation/fas/mapped_file.h"

#include "animation/fas/fas_file.h"
#include "animation/fas/tests/hand_built_fas.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace card {
namespace {

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
DWORD OpenAsAnotherProgram(const std::string& path, DWORD access) {
  HANDLE file =
      CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return ERROR_SUCCESS;
}

TEST(MappedFileWin, LocksTheFileAgainstOtherOpenersWhileMapped) {
  const std::vector<std::uint8_t> content = {'c', 'a', 'r', 'd', 0, 0xFF};
  TempFile file(content);
  {
    auto mapped = MappedFile::Open(file.Path());
    ASSERT_TRUE(mapped.ok()) << mapped.error();
    const ByteView bytes = mapped.value()->Bytes();
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), content);
    EXPECT_EQ(OpenAsAnotherProgram(file.Path(), GENERIC_READ), DWORD{ERROR_SHARING_VIOLATION});
    EXPECT_EQ(OpenAsAnotherProgram(file.Path(), GENERIC_WRITE), DWORD{ERROR_SHARING_VIOLATION});
  }
  // Closing the mapping lets go of the file.
  EXPECT_EQ(OpenAsAnotherProgram(file.Path(), GENERIC_READ | GENERIC_WRITE), DWORD{ERROR_SUCCESS});
}

TEST(MappedFileWin, KeepsAnEmptyFileOpenWithAnEmptyView) {
  TempFile file({});
  auto mapped = MappedFile::Open(file.Path());
  ASSERT_TRUE(mapped.ok()) << mapped.error();
  EXPECT_TRUE(mapped.value()->Bytes().empty());
  EXPECT_EQ(OpenAsAnotherProgram(file.Path(), GENERIC_WRITE), DWORD{ERROR_SHARING_VIOLATION});
}

TEST(MappedFileWin, SaysWhenTheFileIsMissingOrHeld) {
  TempFile file({1, 2, 3});
  const std::string missing = file.Path() + ".gone";
  EXPECT_EQ(MappedFile::Open(missing).error(), missing + " is missing.");

  HANDLE holder = CreateFileA(file.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::string error = MappedFile::Open(file.Path()).error();
  CloseHandle(holder);
  const std::string start = file.Path() + " cannot be opened: ";
  EXPECT_EQ(error.substr(0, start.size()), start);
  EXPECT_GT(error.size(), start.size() + 1) << "the system's reason follows: " << error;
}

TEST(MappedFileWin, FasFileReadsThroughTheMapping) {
  TempFile file(testing::HandBuiltFas());
  auto fas = FasFile::Open(file.Path());
  ASSERT_TRUE(fas.ok()) << fas.error();
  EXPECT_STREQ(fas.value()->FindScript("do"), "1 912");
  EXPECT_EQ(fas.value()->FrameBits(912)[0], testing::HandPixel(2, 0));
  EXPECT_EQ(OpenAsAnotherProgram(file.Path(), GENERIC_READ), DWORD{ERROR_SHARING_VIOLATION});
}

}  // namespace
}  // namespace card
