// `cardkit info`, run as a program on files the test writes: what it prints for each content
// file and for a card folder, and its message and exit status for damaged and missing files.
#include "animation/fas/tests/hand_built_fas.h"
#include "common/tests/temp_folder.h"
#include "package/package_writer.h"
#include "package/tests/test_program.h"
#include "sound/was_writer.h"
#include "tools/cardkit/tests/cardkit_run.h"

#include <gtest/gtest.h>

#include <string>

namespace card {
namespace {

using testing::CardkitRun;
using testing::RunCardkit;
using testing::TempFolder;

CardkitRun CardkitInfo(const std::string& path) { return RunCardkit("info '" + path + "'"); }

std::vector<std::uint8_t> Text(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Bank() {
  auto bank = WriteWas(
      {{"boing", std::vector<std::uint8_t>(24000)}, {"tick", std::vector<std::uint8_t>(400)}});
  EXPECT_TRUE(bank.ok()) << bank.error();
  return bank.ok() ? *bank : std::vector<std::uint8_t>{};
}

// Title, version, settings, two colour lines, logo, one picture, end of pictures, one hot spot,
// a palette of two entries; "Gr\xFC\xDFe" is Windows-1252 for "Grüße".
constexpr std::string_view kLayout =
    "Gr\xFC\xDF"
    "e\r\nv2\r\n1,0,1\r\n16777215|0|255\r\n12632256|0|16777215\r\n4,4 logo.bmp\r\n"
    "0,0 back.bmp\r\n-\r\n1\r\nzelk.htm\r\nhover.bmp-\r\n40, 40, 200, 120\r\n255, 65280\r\n"
    "2\r\n0\r\n16777215\r\n";

TEST(CardkitInfo, DescribesAFrameAnimationFile) {
  TempFolder folder;
  const std::string path = folder.Write("Card.FAS", testing::HandBuiltFas());
  const CardkitRun run = CardkitInfo(path);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, path +
                            ": frame-animation file, 598 bytes\n"
                            "  frame size: 2 x 2 pixels, 8 bytes each (S)\n"
                            "  palette records: 2 (R)\n"
                            "  frames: 5, keys 1 to 65534\n"
                            "  scripts: 2\n"
                            "    do: 5 bytes\n"
                            "    walk: 4 bytes\n");
}

TEST(CardkitInfo, DescribesASoundBank) {
  TempFolder folder;
  const std::string path = folder.Write("Card.WAS", Bank());
  const CardkitRun run = CardkitInfo(path);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, path +
                            ": sound bank, 24443 bytes\n"
                            "  sounds: 2\n"
                            "    BOING: 1.500 s (24000 bytes)\n"
                            "    TICK: 0.025 s (400 bytes)\n");
}

TEST(CardkitInfo, DescribesAFolderWithItsLayout) {
  TempFolder folder;
  folder.Write("Card.FAS", testing::HandBuiltFas());
  folder.Write("card.was", Bank());  // found whatever the case, as on Windows
  folder.Write("Layout.txt", Text(kLayout));
  folder.Write("msg.txt", Text("Hello\r\n"));
  const CardkitRun run = CardkitInfo(folder.Path());
  EXPECT_EQ(run.status, 0) << run.output;
  for (const char* line : {
           ": card folder, 4 entries\n",
           "    Card.FAS: 598 bytes\n",
           "    msg.txt: 7 bytes\n",
           "  frames: 5, keys 1 to 65534\n",
           "    BOING: 1.500 s (24000 bytes)\n",
           "  title: Gr\xC3\xBC\xC3\x9F"
           "e\n",
           "  sound effects on, music off, music repeats on\n",
           "  colours: background #FFFFFF, message #000000 with shadow #FF0000, buttons #C0C0C0 "
           "with text #000000 and shadow #FFFFFF\n",
           "  logo: logo.bmp at 4,4\n",
           "  pictures: 1\n    back.bmp at 0,0\n",
           "  hot spots: 1\n    40,40 to 200,120 opens zelk.htm, shows hover.bmp, turns #FF0000 "
           "into #00FF00\n",
           "  palette: 2 colours\n",
       }) {
    EXPECT_NE(run.output.find(line), std::string::npos) << line << "\nin:\n" << run.output;
  }
}

// A package of the test program, a layout and 300 bytes of noise, with a centred message.
std::vector<std::uint8_t> Package() {
  std::vector<std::uint8_t> noise(300);
  std::uint32_t state = 1;
  for (auto& byte : noise) {
    state = state * 1103515245 + 12345;
    byte = static_cast<std::uint8_t>(state >> 23);
  }
  const std::vector<std::uint8_t> layout(2000, 'L');
  const std::vector<ZipSource> files = {{"Layout.txt", layout}, {"noise.png", noise}};
  auto package = BuildPackage(card::test::TestProgram(), files,
                              CardMessage{"Dear Anna,\r\nGr\xFC\xDF" "e!", true});
  EXPECT_TRUE(package.ok()) << package.error();
  return package.ok() ? *package : std::vector<std::uint8_t>{};
}

TEST(CardkitInfo, DescribesACardPackage) {
  TempFolder folder;
  const auto package = Package();
  const std::string path = folder.Write("Greeting.exe", package);
  const CardkitRun run = CardkitInfo(path);
  EXPECT_EQ(run.status, 0) << run.output;
  const std::string program = std::to_string(card::test::TestProgram().size());
  const std::string m = std::to_string(package.size() - 4 - 490);
  EXPECT_EQ(run.output.substr(0, run.output.find("  card program")),
            path + ": card package, " + std::to_string(package.size()) + " bytes\n");
  for (const std::string& line : {
           "  card program: " + program + " bytes, CRC-32 ",
           std::string("  files: 2, 2300 bytes, "),
           std::string("    Layout.txt: 2000 bytes, deflated to "),
           std::string("    noise.png: 300 bytes, stored\n"),
           std::string("  message: centred, 18 characters\n"
                       "    | Dear Anna,\n    | Gr\xC3\xBC\xC3\x9F" "e!\n"),
           "  message area: 490 bytes at M = " + m + "\n"}) {
    EXPECT_NE(run.output.find(line), std::string::npos) << line << "\nin:\n" << run.output;
  }
}

TEST(CardkitInfo, FailsWithTheReadersMessage) {
  TempFolder folder;
  auto cut = testing::HandBuiltFas();
  cut.resize(597);
  const std::string damaged = folder.Write("Card.FAS", cut);
  const std::string missing = folder.Path("Gone.WAS");
  auto changedPackage = Package();
  changedPackage[changedPackage.size() - 700] ^= 1;  // in noise.png, which is stored last
  struct Case {
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {damaged, damaged + " is damaged: the pixel area of 5 frames ends at byte 598 but the "
                          "file has 597 bytes.\n"},
      {missing, missing + " is missing.\n"},
      // The folder holds the damaged Card.FAS and lacks Layout.txt: both are reported.
      {folder.Path(),
       "This card's files are missing: Layout.txt is not in " + folder.Path() + "\n"},
      {folder.Write("notes.doc", Text("x")), " is not a card content file"},
      {folder.Write("card.exe", card::test::TestProgram()), "holds a card program but no card"},
      {folder.Write("ANNA.EXE", changedPackage), "\"noise.png\" fails its integrity check"},
  };
  for (const Case& c : cases) {
    const CardkitRun run = CardkitInfo(c.path);
    EXPECT_EQ(run.status, 1) << c.path;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.message << "\nin:\n"
                                                             << run.output;
  }
  EXPECT_NE(CardkitInfo(folder.Path()).output.find("Card.FAS is damaged"), std::string::npos);
}

}  // namespace
}  // namespace card
