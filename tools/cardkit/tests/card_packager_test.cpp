// cardkit package: a checked card folder, its files (not msg.txt) and the card program become
// one package with the folder's message or another, which the core's reader reads back; what
// the check refuses, folders in the card, messages past the card's limits and programs that
// are not plain card programs refuse the package, and nothing is written.
#include "tools/cardkit/card_packager.h"

#include "package/package_reader.h"
#include "package/tests/test_program.h"
#include "tools/cardkit/tests/card_fixture.h"
#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace card::kit {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string Listing(const Diagnostics& diagnostics) {
  std::string text;
  for (const Diagnostic& d : diagnostics.All()) text += "  " + FormatDiagnostic(d) + "\n";
  return text;
}

// A card folder and a card program beside it.
struct Card {
  test::TempDir dir;
  fs::path folder = dir.Path() / "card";
  fs::path program = dir.Path() / "card.exe";
  fs::path out = dir.Path() / "Greeting.exe";
  std::optional<fs::path> message;  // --message
  Card() {
    test::WriteCard(folder, {});
    test::WriteFile(program, card::test::TestProgram());
  }
};

// What the package at `path` unpacks to, by name.
std::map<std::string, Bytes> Unpacked(const Bytes& file) {
  std::map<std::string, Bytes> files;
  Result<CardPackage> package = ReadPackage(file);
  EXPECT_TRUE(package) << package.error();
  if (!package) return files;
  for (const ZipEntry& entry : package->files) files[entry.name] = *UnpackZipEntry(file, entry);
  return files;
}

TEST(CardPackager, PacksTheFolderWithItsMessageOrAnother) {
  Card card;
  // The program and the package may lie in the card folder; neither goes into it.
  const fs::path program = card.folder / "card.exe";
  fs::copy_file(card.program, program);
  const fs::path out = card.folder / "Greeting.exe";
  Diagnostics diagnostics = PackageCard(card.folder, program, std::nullopt, out);
  ASSERT_FALSE(diagnostics.HasErrors()) << Listing(diagnostics);

  const Bytes file = test::ReadFile(out);
  std::map<std::string, Bytes> expected;
  for (const char* name : {"Card.FAS", "Card.WAS", "Layout.txt", "back.bmp", "hover.bmp",
                           "info.htm", "logo.bmp"}) {
    expected[name] = test::ReadFile(card.folder / name);
  }
  EXPECT_EQ(Unpacked(file), expected);
  Result<CardPackage> package = ReadPackage(file);
  const Bytes msgTxt = test::ReadFile(card.folder / "msg.txt");
  EXPECT_EQ(Bytes(package->MessageFile().begin(), package->MessageFile().end()), msgTxt);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + package->programSize), test::ReadFile(program));

  fs::remove(out);  // the package just made is no file a package may carry
  test::WriteFile(card.dir.Path() / "other.txt", std::string_view("Hi Tom\xFF\xFF"));
  diagnostics = PackageCard(card.folder, card.program, card.dir.Path() / "other.txt", card.out);
  ASSERT_FALSE(diagnostics.HasErrors()) << Listing(diagnostics);
  const Bytes other = test::ReadFile(card.out);
  package = ReadPackage(other);
  ASSERT_TRUE(package) << package.error();
  EXPECT_EQ(std::string(package->MessageFile().begin(), package->MessageFile().end()),
            "Hi Tom\xFF\xFF");
}

TEST(CardPackager, RefusesWhatCannotMakeAGoodPackage) {
  struct Case {
    const char* what;
    std::function<void(Card&)> spoil;
    const char* file;  // the file the error names, relative to the card's folder
    const char* says;
  };
  const Case cases[] = {
      {"a card the check refuses", [](Card& c) { fs::remove(c.folder / "Layout.txt"); },
       "Layout.txt", "there is no Layout.txt"},
      {"a folder in the card", [](Card& c) { fs::create_directory(c.folder / "frames"); },
       "frames", "holds no folders"},
      {"a library in the card",
       [](Card& c) { test::WriteFile(c.folder / "winmm.dll", std::string_view("MZ")); },
       "winmm.dll", "may not carry this file: it is not a type of file a card may carry"},
      {"a script in the card",
       [](Card& c) { test::WriteFile(c.folder / "x.BAT", std::string_view("echo")); },
       "x.BAT", "not a type of file a card may carry"},
      {"a device name in the card",
       [](Card& c) { test::WriteFile(c.folder / "COM\xC2\xB9.txt", std::string_view("x")); },
       "COM\xC2\xB9.txt", "keeps for a device"},
      {"a symbolic link to a file elsewhere",
       [](Card& c) {
         test::WriteFile(c.dir.Path() / "secret.txt", std::string_view("private"));
         fs::create_symlink(c.dir.Path() / "secret.txt", c.folder / "poem.txt");
       },
       "poem.txt", "symbolic link"},
      {"a symbolic link as the message",
       [](Card& c) {
         fs::rename(c.folder / "msg.txt", c.dir.Path() / "msg.txt");
         fs::create_symlink(c.dir.Path() / "msg.txt", c.folder / "msg.txt");
       },
       "msg.txt", "symbolic link"},
      {"a message of 8 lines",
       [](Card& c) {
         c.message = c.dir.Path() / "other.txt";
         test::WriteFile(*c.message, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
       },
       "other.txt", "8 lines"},
      {"a message file beyond 500 bytes",
       [](Card& c) {
         c.message = c.dir.Path() / "other.txt";
         test::WriteFile(*c.message, std::string(501, 'x'));
       },
       "other.txt", "500 bytes"},
      {"a message file that is missing",
       [](Card& c) { c.message = c.dir.Path() / "other.txt"; }, "other.txt", "missing"},
      {"no program", [](Card& c) { fs::remove(c.program); }, "card.exe", "missing"},
      {"a program that is not one",
       [](Card& c) { test::WriteFile(c.program, std::string_view("MZ not really")); },
       "Greeting.exe", "not a Windows program"},
      {"a package as the program",
       [](Card& c) {
         ASSERT_FALSE(PackageCard(c.folder, c.program, std::nullopt, c.out).HasErrors());
         fs::rename(c.out, c.program);
       },
       "Greeting.exe", "card package already"},
  };
  for (const Case& c : cases) {
    Card card;
    c.spoil(card);
    const Diagnostics diagnostics = PackageCard(card.folder, card.program, card.message, card.out);
    ASSERT_TRUE(diagnostics.HasErrors()) << c.what;
    bool named = false;
    for (const Diagnostic& d : diagnostics.All()) {
      const bool sameFile = d.file == c.file || fs::path(d.file) == card.dir.Path() / c.file ||
                            fs::path(d.file) == card.folder / c.file;
      named = named || (sameFile && d.text.find(c.says) != std::string::npos);
    }
    EXPECT_TRUE(named) << c.what << ":\n" << Listing(diagnostics);
    EXPECT_FALSE(fs::exists(card.out)) << c.what;
  }
}

}  // namespace
}  // namespace card::kit
