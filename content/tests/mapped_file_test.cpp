// Opening files from disk: the mapped bytes, an empty file, a missing file or a folder.
#include "content/mapped_file.h"

#include "common/tests/temp_folder.h"

#include <gtest/gtest.h>

namespace card {
namespace {

using testing::TempFolder;

TEST(MappedFile, MapsTheWholeFile) {
  TempFolder folder;
  const std::vector<std::uint8_t> content = {0, 1, 2, 0xFF, 0x80, 'x'};
  auto file = MappedFile::Open(folder.Write("data.bin", content));
  ASSERT_TRUE(file.ok()) << file.error();
  const ByteView bytes = file.value()->Bytes();
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), content);
}

TEST(MappedFile, MapsAnEmptyFileToAnEmptyView) {
  TempFolder folder;
  auto file = MappedFile::Open(folder.Write("empty.bin", {}));
  ASSERT_TRUE(file.ok()) << file.error();
  EXPECT_TRUE(file.value()->Bytes().empty());
}

TEST(MappedFile, SaysWhyAFileCannotBeMapped) {
  TempFolder folder;
  const std::string missing = folder.Path("Card.FAS");
  EXPECT_EQ(MappedFile::Open(missing).error(), missing + " is missing.");
  const std::string inMissingFolder = folder.Path("nowhere/Card.FAS");
  EXPECT_EQ(MappedFile::Open(inMissingFolder).error(), inMissingFolder + " is missing.");
  EXPECT_EQ(MappedFile::Open(folder.Path()).error(),
            folder.Path() + " cannot be opened: it is not a file.");
}

}  // namespace
}  // namespace card
