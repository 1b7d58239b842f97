// The new card's file operations over the real file system under Wine: the copy that never
// replaces a file, removal of a read-only copy, and whole cards made from real packages,
// read-only ones among them, with nothing left behind when the message does not fit.
#include "newcard/card_file_system_win.h"

#include "newcard/ansi_codec_win.h"
#include "newcard/card_package.h"
#include "newcard/tests/newcard_test_support_win.h"

#include <gtest/gtest.h>

namespace card {
namespace {

using namespace card::test;
using CopyResult = CardFileSystem::CopyResult;

Bytes Package(const CardMessage& message) {
  Result<std::vector<std::uint8_t>> package = BuildCardPackage(AsBytes("MZ program"), message);
  EXPECT_TRUE(package.ok()) << package.error();
  return package.ok() ? *package : Bytes{};
}

TEST(Win32CardFiles, CopiesOnlyToANewName) {
  ScratchFolder folder;
  Win32CardFiles files;
  const std::string package = folder.Path("Greeting.exe");
  const std::string taken = folder.Path("ANNA.EXE");
  ASSERT_TRUE(WriteFileBytes(package, AsBytes("package")));
  ASSERT_TRUE(WriteFileBytes(taken, AsBytes("someone else's")));

  EXPECT_EQ(files.CopyToNewFile(package, taken).result, CopyResult::kNameTaken);
  EXPECT_EQ(ReadFileBytes(taken), AsBytes("someone else's"));

  EXPECT_EQ(files.CopyToNewFile(package, folder.Path("ANNA(2).EXE")).result, CopyResult::kCopied);
  EXPECT_EQ(ReadFileBytes(folder.Path("ANNA(2).EXE")), AsBytes("package"));

  const std::string missing = folder.Path("missing.exe");
  const CardFileSystem::CopyOutcome failed = files.CopyToNewFile(missing, folder.Path("TOM.EXE"));
  EXPECT_EQ(failed.result, CopyResult::kFailed);
  const std::string start = "The card package \"" + missing + "\" could not be copied to \"" +
                            folder.Path("TOM.EXE") + "\": ";
  EXPECT_EQ(failed.error.substr(0, start.size()), start);
  EXPECT_GT(failed.error.size(), start.size()) << "the system's reason follows";
  EXPECT_FALSE(FileExists(folder.Path("TOM.EXE")));
}

TEST(Win32CardFiles, TellsWhatExistsAndRemovesReadOnlyFiles) {
  ScratchFolder folder;
  Win32CardFiles files;
  const std::string file = folder.Path("card.EXE");
  ASSERT_TRUE(WriteFileBytes(file, AsBytes("x")));
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(files.Exists(file));
  EXPECT_TRUE(files.Exists(folder.Path())) << "a folder counts";
  EXPECT_FALSE(files.Exists(folder.Path("card(2).EXE")));

  EXPECT_TRUE(files.Remove(file).ok());
  EXPECT_FALSE(FileExists(file));
  const Status again = files.Remove(file);
  EXPECT_FALSE(again.ok());
  const std::string start = "Cannot delete \"" + file + "\": ";
  EXPECT_EQ(again.error().substr(0, start.size()), start);
}

TEST(Win32CardFiles, MakesACardFromAReadOnlyPackage) {
  ScratchFolder folder;
  const std::string package = folder.Path("Greeting.exe");
  const Bytes packageBytes = Package(CardMessage{"An old message", false});
  ASSERT_TRUE(WriteFileBytes(package, packageBytes));
  ASSERT_TRUE(SetFileAttributesA(package.c_str(), FILE_ATTRIBUTE_READONLY));

  Win32CardFiles files;
  const CardMessage message{"Dear Tom", true};
  const NewCardFile card = MakeNewCardFile(message, package, AnsiCodec(), files);
  ASSERT_EQ(card.outcome, NewCardFile::Outcome::kCreated) << card.reason;
  EXPECT_EQ(card.path, folder.Path("TOM.EXE"));

  Bytes expected = packageBytes;
  Bytes area = AsBytes(std::string("Dear Tom\xFF\xFF", 10) + '\0');
  area.resize(kMessageAreaSize, 0);  // nothing of the old message is left
  std::copy(area.begin(), area.end(), expected.begin() + 10);
  EXPECT_EQ(ReadFileBytes(card.path), expected);
  EXPECT_FALSE(IsReadOnly(card.path)) << "the copy was made writable to take the message";
  EXPECT_TRUE(IsReadOnly(package)) << "the package keeps its attribute";
  EXPECT_EQ(ReadFileBytes(package), packageBytes);
}

TEST(Win32CardFiles, LeavesNoCopyWhenTheMessageDoesNotFit) {
  ScratchFolder folder;
  const std::string package = folder.Path("Greeting.exe");
  // The offset stored at the end leaves two bytes before it; the package is read-only, so its
  // copy comes out read-only too and must still be removed.
  Bytes bytes = AsBytes("MZ program");
  for (std::uint8_t b : {8, 0, 0, 0}) bytes.push_back(b);
  ASSERT_TRUE(WriteFileBytes(package, bytes));
  ASSERT_TRUE(SetFileAttributesA(package.c_str(), FILE_ATTRIBUTE_READONLY));

  Win32CardFiles files;
  const NewCardFile card =
      MakeNewCardFile(CardMessage{"Dear Tom", false}, package, AnsiCodec(), files);
  EXPECT_EQ(card.outcome, NewCardFile::Outcome::kFailed);
  const std::string start = "The card package has no room for the message: ";
  EXPECT_EQ(card.reason.substr(0, start.size()), start);
  EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"Greeting.exe"});
}

}  // namespace
}  // namespace card
