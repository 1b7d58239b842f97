// MappedFile on Windows: while the card holds a content file, no other program can open it to
// read or to write; a missing or held file is refused with a sentence; the view is the file.
#include "content/mapped_file.h"

#include "content/tests/held_file_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

using testing::OpenAsAnotherProgram;
using testing::TempFile;

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

}  // namespace
}  // namespace card
