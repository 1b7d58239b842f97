// Making the new card file over an in-memory file system: the copy under a free name that
// never replaces a file (not even one that appears while the card is made), the message at the
// package's offset, no file without a package, and every failure told with nothing left behind.
#include "newcard/new_card_file.h"

#include "newcard/card_package.h"
#include "newcard/windows1252_codec.h"

#include "newcard/tests/memory_package_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Windows1252Codec kCodec;
constexpr const char* kPackage = "C:\\cards\\Greeting.exe";

Bytes Text(std::string_view text) { return {text.begin(), text.end()}; }

// A package of `content` with a message area at its end, as cardkit makes one.
Bytes Package(std::string_view content, const CardMessage& old) {
  Result<std::vector<std::uint8_t>> package = BuildCardPackage(Text(content), old);
  EXPECT_TRUE(package.ok()) << package.error();
  return package.ok() ? *package : Bytes{};
}

// Files in memory. Paths in `appearOnCopy` are created by "someone else" the moment this
// program tries to copy to them, as happens when a name is taken between its choice and the copy.
class MemoryFiles final : public CardFileSystem {
 public:
  std::map<std::string, Bytes> files;
  std::set<std::string> appearOnCopy;
  bool appearAlways = false;  // every copy target appears first
  bool failOpen = false;
  bool failRemove = false;
  std::vector<std::string> copiedTo;

  bool Exists(const std::string& path) override { return files.count(path) != 0; }

  CopyOutcome CopyToNewFile(const std::string& from, const std::string& to) override {
    copiedTo.push_back(to);
    if (appearAlways || appearOnCopy.erase(to) != 0) files[to] = Text("someone else's file");
    if (files.count(to) != 0) return {CopyResult::kNameTaken, ""};
    const auto source = files.find(from);
    if (source == files.end()) return {CopyResult::kFailed, "The package is missing."};
    files[to] = source->second;
    return {CopyResult::kCopied, ""};
  }

  Result<std::unique_ptr<PackageFile>> OpenPackage(const std::string& path) override {
    if (failOpen || files.count(path) == 0) return Fail("Cannot open \"" + path + "\".");
    return std::unique_ptr<PackageFile>(new test::MemoryPackageFile(files[path]));
  }

  Status Remove(const std::string& path) override {
    if (failRemove) return Fail("The file is in use.");
    return files.erase(path) != 0 ? Status() : Fail("No such file.");
  }
};

class MakeNewCardFileTest : public testing::Test {
 protected:
  void SetUp() override { files.files[kPackage] = package; }

  // The package with `message` written over its old message's whole area, zeros after it.
  Bytes Patched(const CardMessage& message) const {
    Bytes expected = package;
    Bytes area = EncodeMessageArea(message);
    area.resize(kMessageAreaSize, 0);
    std::copy(area.begin(), area.end(), expected.begin() + 6);  // after "MZcode"
    return expected;
  }

  const CardMessage oldMessage{"An old message that is longer than the new one", false};
  const Bytes package = Package("MZcode", oldMessage);
  const CardMessage anna{"Dear Anna,\r\nHappy birthday!", true};
  MemoryFiles files;
};

TEST_F(MakeNewCardFileTest, CopiesThePackageBesideItAndWritesTheMessageAtItsOffset) {
  const NewCardFile card = MakeNewCardFile(anna, kPackage, kCodec, files);
  EXPECT_EQ(card.outcome, NewCardFile::Outcome::kCreated) << card.reason;
  EXPECT_EQ(card.path, "C:\\cards\\ANNA.EXE");
  EXPECT_EQ(files.files[card.path], Patched(anna));
  EXPECT_EQ(files.files[kPackage], package) << "the package itself is never written";
}

TEST_F(MakeNewCardFileTest, NeverReplacesAFile) {
  const Bytes theirs = Text("someone else's file");
  const struct {
    const char* name;
    std::set<std::string> existing;      // before the card is made
    std::set<std::string> appearOnCopy;  // taken between the choice of the name and the copy
    const char* path;
  } cases[] = {
      {"existing file", {"C:\\cards\\ANNA.EXE"}, {}, "C:\\cards\\ANNA(2).EXE"},
      {"taken meanwhile", {}, {"C:\\cards\\ANNA.EXE"}, "C:\\cards\\ANNA(2).EXE"},
      {"taken twice meanwhile",
       {"C:\\cards\\ANNA.EXE"},
       {"C:\\cards\\ANNA(2).EXE", "C:\\cards\\ANNA(3).EXE"},
       "C:\\cards\\ANNA(4).EXE"},
  };
  for (const auto& c : cases) {
    MemoryFiles state;
    state.files[kPackage] = package;
    for (const std::string& path : c.existing) state.files[path] = theirs;
    state.appearOnCopy = c.appearOnCopy;
    const NewCardFile card = MakeNewCardFile(anna, kPackage, kCodec, state);
    EXPECT_EQ(card.outcome, NewCardFile::Outcome::kCreated) << c.name << ": " << card.reason;
    EXPECT_EQ(card.path, c.path) << c.name;
    EXPECT_EQ(state.files[c.path], Patched(anna)) << c.name;
    for (const auto& [path, bytes] : state.files) {
      if (path != c.path && path != kPackage) {
        EXPECT_EQ(bytes, theirs) << c.name << ": " << path;
      }
    }
  }
}

TEST_F(MakeNewCardFileTest, WithoutAPackageWorksOutTheRelativePathAndWritesNothing) {
  files.files["ANNA.EXE"] = Text("taken");
  const NewCardFile card = MakeNewCardFile(anna, "", kCodec, files);
  EXPECT_EQ(card.outcome, NewCardFile::Outcome::kNotWritten);
  EXPECT_EQ(card.path, "ANNA(2).EXE");
  EXPECT_TRUE(files.copiedTo.empty());
  EXPECT_EQ(files.files.size(), 2u);
}

TEST_F(MakeNewCardFileTest, TellsEachFailureAndLeavesNoFileBehind) {
  const struct {
    const char* name;
    void (*arrange)(MemoryFiles&, const Bytes& original);
    std::string reason;
  } cases[] = {
      {"package missing", [](MemoryFiles& f, const Bytes&) { f.files.clear(); },
       "The package is missing."},
      {"no room for the message",
       [](MemoryFiles& f, const Bytes& original) {
         // The offset at the end leaves 4 bytes before it: too little for the message area.
         Bytes cramped(original.begin(), original.begin() + 10);
         for (std::uint8_t b : {6, 0, 0, 0}) cramped.push_back(b);
         f.files[kPackage] = cramped;
       },
       "The card package has no room for the message: the message needs 30 bytes at offset 6, "
       "but only 4 lie before the offset stored at its end."},
      {"copy cannot be opened", [](MemoryFiles& f, const Bytes&) { f.failOpen = true; },
       "Cannot open \"C:\\cards\\ANNA.EXE\"."},
  };
  for (const auto& c : cases) {
    MemoryFiles state;
    state.files[kPackage] = package;
    c.arrange(state, package);
    const auto before = state.files;
    const NewCardFile card = MakeNewCardFile(anna, kPackage, kCodec, state);
    EXPECT_EQ(card.outcome, NewCardFile::Outcome::kFailed) << c.name;
    EXPECT_EQ(card.path, "C:\\cards\\ANNA.EXE") << c.name;
    EXPECT_EQ(card.reason, c.reason) << c.name;
    EXPECT_EQ(state.files, before) << c.name << ": the file system is as it was";
  }
}

TEST_F(MakeNewCardFileTest, SaysSoWhenTheUnfinishedCopyCannotBeRemoved) {
  files.failOpen = true;
  files.failRemove = true;
  const NewCardFile card = MakeNewCardFile(anna, kPackage, kCodec, files);
  EXPECT_EQ(card.outcome, NewCardFile::Outcome::kFailed);
  EXPECT_EQ(card.reason,
            "Cannot open \"C:\\cards\\ANNA.EXE\". The unfinished file could not be removed: The "
            "file is in use.");
}

TEST_F(MakeNewCardFileTest, GivesUpWhenEveryNameIsTakenMeanwhile) {
  files.appearAlways = true;
  const NewCardFile card = MakeNewCardFile(anna, kPackage, kCodec, files);
  EXPECT_EQ(card.outcome, NewCardFile::Outcome::kFailed);
  EXPECT_EQ(files.copiedTo.size(), static_cast<std::size_t>(kMaxNameRaces));
  const std::set<std::string> distinct(files.copiedTo.begin(), files.copiedTo.end());
  EXPECT_EQ(distinct.size(), files.copiedTo.size()) << "no name is tried twice";
  EXPECT_EQ(card.path, "C:\\cards\\ANNA(100).EXE");
  EXPECT_NE(card.reason.find("taken by another file"), std::string::npos) << card.reason;
}

}  // namespace
}  // namespace card
