// `cardkit simulate`, run as a program on small card folders the test writes: its output lines,
// its options, sound lengths from Card.WAS, and its refusal of damaged or missing folders.
#include "animation/fas/fas_writer.h"
#include "common/tests/temp_folder.h"
#include "sound/was_writer.h"
#include "tools/cardkit/tests/cardkit_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace card {
namespace {

using testing::CardkitRun;
using testing::RunCardkit;
using testing::TempFolder;
using Scripts = std::map<std::string, std::string>;

CardkitRun Cardkit(const std::string& arguments) { return RunCardkit("simulate " + arguments); }

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// Frames 1 to 4 of 10 x 8 pixels, and the given scripts.
std::vector<std::uint8_t> Frames(const Scripts& scripts) {
  FasContents contents;
  contents.width = 10;
  contents.height = 8;
  contents.frameBytes = *FrameBytesFor(10, 8);
  contents.paletteRecords.push_back(*MakePaletteRecord({}, 0, 10, 8));
  for (const auto& [name, text] : scripts) contents.scripts.push_back({name, text});
  for (std::uint16_t key = 1; key <= 4; ++key) {
    contents.frames.push_back({key, 0, std::vector<std::uint8_t>(contents.frameBytes, 0x11)});
  }
  auto written = WriteFas(contents);
  EXPECT_TRUE(written.ok()) << written.error();
  return written.ok() ? *written : std::vector<std::uint8_t>{};
}

std::string Layout(bool soundEffects) {
  return std::string("Test card\r\nv2\r\n") + (soundEffects ? "1" : "0") +
         ",0,0\r\n16777215|0|255\r\n12632256|0|16777215\r\n-\r\n-\r\n0\r\n0\r\n";
}

// A card folder: Card.FAS with `scripts`, Layout.txt, and Card.WAS when `clips` is given.
void WriteCard(const TempFolder& folder, const Scripts& scripts, bool soundEffects,
               const std::map<std::string, std::size_t>* clips) {
  folder.Write("Card.FAS", Frames(scripts));
  folder.Write("Layout.txt", Bytes(Layout(soundEffects)));
  if (clips == nullptr) return;
  std::vector<WasSound> sounds;
  for (const auto& [name, length] : *clips) {
    sounds.push_back({name, std::vector<std::uint8_t>(length)});
  }
  auto bank = WriteWas(sounds);
  ASSERT_TRUE(bank.ok()) << bank.error();
  folder.Write("Card.WAS", *bank);
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

TEST(CardkitSimulate, PrintsTheRunOfTheScript) {
  TempFolder folder;
  WriteCard(folder, {{"do", "1-3*2,[10,0]4"}}, true, nullptr);
  const CardkitRun run = Cardkit(folder.Path());
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, Lines({"1 frame 1 0 0", "2 frame 2 0 0", "3 frame 3 0 0", "4 frame 1 0 0",
                               "5 frame 2 0 0", "6 frame 3 0 0", "7 frame 4 10 0", "8 end"}));
}

TEST(CardkitSimulate, TimesSoundsByTheirClipsWhenTheCardPlaysThem) {
  // CHIME has 16000 bytes: ten tenths, so the sound group ends after tick 10.
  const Scripts scripts = {{"do", "(!CHIME 1-4*1000)"}};
  const std::map<std::string, std::size_t> clips = {{"CHIME", 16000}, {"TICK", 1}};
  const std::string played = Lines({"1 sound CHIME", "1 frame 1 0 0", "2 frame 2 0 0",
                                    "3 frame 3 0 0", "4 frame 4 0 0", "5 frame 1 0 0",
                                    "6 frame 2 0 0", "7 frame 3 0 0", "8 frame 4 0 0",
                                    "9 frame 1 0 0", "10 frame 2 0 0", "11 end"});
  const std::string cutShort = Lines({"1 sound CHIME", "1 frame 1 0 0", "2 end"});
  const struct {
    const char* what;
    bool soundEffects;
    bool bank;
    std::string expected;
  } cases[] = {
      {"sound effects on", true, true, played},
      {"sound effects off in Layout.txt", false, true, cutShort},
      {"no Card.WAS", true, false, cutShort},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteCard(folder, scripts, c.soundEffects, c.bank ? &clips : nullptr);
    const CardkitRun run = Cardkit(folder.Path());
    EXPECT_EQ(run.status, 0) << c.what << "\n" << run.output;
    EXPECT_EQ(run.output, c.expected) << c.what;
  }
}

TEST(CardkitSimulate, TakesTheScriptTicksRunsAndDesktopFromItsOptions) {
  TempFolder folder;
  // Bounds from control 7's left edge to the work area's bottom right; the move left is
  // stopped at control 7's left edge, in both runs.
  WriteCard(folder,
            {{"do", "9"}, {"walk", std::string("(\xA9") + "7l0t,0r0b\xA9[-200,0]1)"}}, true,
            nullptr);
  const CardkitRun run = Cardkit(folder.Path() +
                          " --script walk --ticks 3 --runs 2 --at 100,50 --work-area 0,0,300,200"
                          " --control 7=10,10,50,40 --control 3=0,0,1,1");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, Lines({"1 frame 1 10 50", "2 end", "3 frame 1 10 50"}));
}

TEST(CardkitSimulate, RefusesMissingAndDamagedCardsAndBadOptions) {
  TempFolder folder;
  WriteCard(folder, {{"do", "1"}}, true, nullptr);
  TempFolder noFrames;
  noFrames.Write("Layout.txt", Bytes(Layout(true)));
  TempFolder damaged;
  WriteCard(damaged, {{"do", "1"}}, true, nullptr);
  std::vector<std::uint8_t> truncated = Frames({{"do", "1"}});
  truncated.resize(truncated.size() / 2);
  damaged.Write("Card.FAS", truncated);
  TempFolder noLayout;
  noLayout.Write("Card.FAS", Frames({{"do", "1"}}));
  TempFolder badBank;
  WriteCard(badBank, {{"do", "1"}}, true, nullptr);
  badBank.Write("Card.WAS", Bytes("WAS"));

  const struct {
    std::string arguments;
    std::string messageStart;
  } cases[] = {
      {folder.Path("nowhere"), folder.Path("nowhere") + " is missing."},
      {folder.Path("Card.FAS"), folder.Path("Card.FAS") + " is not a card folder."},
      {noFrames.Path(), "This card's files are missing: Card.FAS is not in " + noFrames.Path()},
      {damaged.Path(), "Card.FAS is damaged"},
      {noLayout.Path(), "This card's files are missing: Layout.txt is not in " + noLayout.Path()},
      {badBank.Path(), "Card.WAS is damaged"},
      {folder.Path() + " --at 5", "--at wants X,Y"},
      {folder.Path() + " --work-area 0,0,10,10,5", "--work-area wants L,T,R,B"},
      {folder.Path() + " --control 7", "--control wants ID=L,T,R,B"},
      {folder.Path() + " --control x=1,2,3,4", "--control wants ID=L,T,R,B"},
      {folder.Path() + " --runs 0", "--runs"},
  };
  for (const auto& c : cases) {
    const CardkitRun run = Cardkit(c.arguments);
    EXPECT_NE(run.status, 0) << c.arguments;
    EXPECT_NE(run.output.find(c.messageStart), std::string::npos)
        << c.arguments << "\n" << run.output;
  }
}

// Windows finds card.fas when the card asks for Card.FAS; every command finds it too.
TEST(CardkitCommands, FindTheContentFilesWhateverTheCaseOfTheirNames) {
  TempFolder folder;
  const std::map<std::string, std::size_t> clips{{"HOOT", 8}};
  WriteCard(folder, {{"do", "1 2"}}, true, &clips);
  std::filesystem::rename(folder.Path("Card.FAS"), folder.Path("card.fas"));
  std::filesystem::rename(folder.Path("Layout.txt"), folder.Path("LAYOUT.TXT"));
  std::filesystem::rename(folder.Path("Card.WAS"), folder.Path("card.was"));
  folder.Write("MSG.TXT", Bytes("Hello\r\n"));
  const std::string quoted = "'" + folder.Path() + "'";
  for (const std::string& command :
       {"simulate " + quoted, "check " + quoted, "info " + quoted,
        "preview " + quoted + " '" + folder.Path("run.gif") + "'"}) {
    const CardkitRun run = RunCardkit(command);
    EXPECT_EQ(run.status, 0) << command << "\n" << run.output;
  }
  EXPECT_NE(Cardkit(quoted).output.find("2 frame 2 "), std::string::npos);
}

}  // namespace
}  // namespace card
