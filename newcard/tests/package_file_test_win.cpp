// The Win32 card package file: opened though read-only and without sharing, read and written
// in place, and failures that name the file and the system's reason.
#include "newcard/package_file_win.h"

#include "newcard/tests/newcard_test_support_win.h"

#include <gtest/gtest.h>

#include <array>

namespace card {
namespace {

using namespace card::test;

TEST(Win32PackageFile, OpensAReadOnlyFileAndReadsAndWritesInPlace) {
  ScratchFolder folder;
  const std::string path = folder.Path("Greeting.exe");
  ASSERT_TRUE(WriteFileBytes(path, AsBytes("MZ program|old message|tail")));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  {
    Result<std::unique_ptr<Win32PackageFile>> file = Win32PackageFile::Open(path);
    ASSERT_TRUE(file.ok()) << file.error();
    EXPECT_FALSE(IsReadOnly(path));
    EXPECT_EQ(*(*file)->Size(), 27u);
    std::array<std::uint8_t, 4> tail{};
    ASSERT_TRUE((*file)->ReadAt(23, tail).ok());
    EXPECT_EQ(std::string(tail.begin(), tail.end()), "tail");
    const Bytes message = AsBytes("new");
    ASSERT_TRUE((*file)->WriteAt(11, message).ok());

    // Nobody else may open the package while the message is written.
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
  }
  EXPECT_EQ(ReadFileBytes(path), AsBytes("MZ program|new message|tail"));
}

TEST(Win32PackageFile, FailuresNameTheFile) {
  ScratchFolder folder;
  const std::string missing = folder.Path("missing.exe");
  Result<std::unique_ptr<Win32PackageFile>> none = Win32PackageFile::Open(missing);
  ASSERT_FALSE(none.ok());
  const std::string start = "Cannot open \"" + missing + "\" to write the message into it: ";
  EXPECT_EQ(none.error().substr(0, start.size()), start);
  EXPECT_GT(none.error().size(), start.size()) << "the system's reason follows";

  const std::string path = folder.Path("short.exe");
  ASSERT_TRUE(WriteFileBytes(path, AsBytes("MZ")));
  Result<std::unique_ptr<Win32PackageFile>> file = Win32PackageFile::Open(path);
  ASSERT_TRUE(file.ok()) << file.error();
  std::array<std::uint8_t, 4> beyond{};
  const Status read = (*file)->ReadAt(0, beyond);
  EXPECT_EQ(read.error(),
            "Cannot read 2 more bytes of \"" + path + "\": the file ends before them.");
}

}  // namespace
}  // namespace card
