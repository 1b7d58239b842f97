// Opening content files from disk: the mapped bytes, an empty file, a missing file or a folder,
// and the file's path in the messages of FasFile::Open.
#include "animation/fas/mapped_file.h"

#include "animation/fas/fas_file.h"
#include "animation/fas/tests/hand_built_fas.h"
#include "animation/fas/tests/temp_folder.h"

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

TEST(FasFileOpen, ReadsAFileAndNamesItWhenDamagedOrMissing) {
  TempFolder folder;
  auto bytes = testing::HandBuiltFas();
  auto fas = FasFile::Open(folder.Write("Card.FAS", bytes));
  ASSERT_TRUE(fas.ok()) << fas.error();
  EXPECT_STREQ(fas.value()->FindScript("walk"), "2 -2");

  bytes.resize(597);
  const std::string damaged = folder.Write("Cut.FAS", bytes);
  EXPECT_EQ(FasFile::Open(damaged).error(),
            damaged +
                " is damaged: the pixel area of 5 frames ends at byte 598 but the file has "
                "597 bytes.");
  EXPECT_EQ(FasFile::Open(folder.Path("Gone.FAS")).error(),
            folder.Path("Gone.FAS") + " is missing.");
}

}  // namespace
}  // namespace card
