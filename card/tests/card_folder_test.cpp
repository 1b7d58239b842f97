// Loading a card folder: what a playing card gets from each content file, the one rule that
// finds the files whatever the case of their names, and the sentences for missing and damaged
// files that card.exe and every cardkit command share.
#include "card/card_folder.h"

#include "animation/fas/tests/hand_built_fas.h"
#include "card/card_files.h"
#include "common/tests/temp_folder.h"
#include "sound/was_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace card {
namespace {

using testing::TempFolder;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Layout(bool soundEffects) {
  return Bytes(std::string("Test card\r\nv2\r\n") + (soundEffects ? "1" : "0") +
               ",0,0\r\n16777215|0|255\r\n12632256|0|16777215\r\n-\r\n-\r\n0\r\n0\r\n");
}

std::vector<std::uint8_t> Bank() { return *WriteWas({{"HOOT", std::vector<std::uint8_t>(32)}}); }

// A whole card folder, its files named as `names` gives them.
struct Names {
  std::string layout = "Layout.txt";
  std::string frames = "Card.FAS";
  std::string sounds = "Card.WAS";
  std::string message = "msg.txt";
};

void WriteCard(const TempFolder& folder, const Names& names = {}, bool soundEffects = true) {
  folder.Write(names.layout, Layout(soundEffects));
  folder.Write(names.frames, testing::HandBuiltFas());
  folder.Write(names.sounds, Bank());
  folder.Write(names.message, Bytes("Dear Anna\r\n\xFF\xFF"));
}

TEST(CardFolder, LoadsEveryFileACardPlaysWith) {
  TempFolder folder;
  WriteCard(folder);
  auto card = LoadCardFolder(folder.Path());
  ASSERT_TRUE(card.ok()) << card.error();
  EXPECT_EQ(card->layout.title, "Test card");
  EXPECT_STREQ(card->frames->FindScript("walk"), "2 -2");
  ASSERT_NE(card->sounds, nullptr);
  EXPECT_TRUE(card->sounds->FindSound("hoot"));
  EXPECT_EQ(card->soundsProblem, "");
  EXPECT_EQ(card->message, (CardMessage{"Dear Anna\r\n", true}));
}

TEST(CardFolder, FindsFilesWhateverTheCaseOfTheirNames) {
  TempFolder folder;
  WriteCard(folder, {"LAYOUT.TXT", "card.fas", "card.was", "MSG.TXT"});
  auto card = LoadCardFolder(folder.Path());
  ASSERT_TRUE(card.ok()) << card.error();
  EXPECT_NE(card->sounds, nullptr);
  EXPECT_TRUE(card->message.centred);
  EXPECT_EQ(FindCardFile(folder.Path(), "Card.FAS"), folder.Path("card.fas"));
  EXPECT_EQ(FindCardFile(folder.Path(), ".\\card.FAS"), folder.Path("card.fas"));
}

TEST(CardFolder, FindsPlainNamesOfTheFolderOnly) {
  TempFolder folder;
  folder.Write("Moon.bmp", Bytes("BM"));
  std::filesystem::create_directories(folder.Path("Pictures"));
  folder.Write("Pictures/Back.bmp", Bytes("BM"));
  EXPECT_EQ(FindCardFile(folder.Path(), "MOON.bmp"), folder.Path("Moon.bmp"));
  EXPECT_EQ(FindCardFile(folder.Path(), "./moon.bmp"), folder.Path("Moon.bmp"));
  // A name with a path, a share, a drive or a device is a missing file, wherever it leads.
  for (const char* outside :
       {"pictures\\back.bmp", "Pictures/Back.bmp", "..\\Card.FAS", "\\Card.FAS", "/etc/passwd",
        "\\\\127.0.0.1\\share\\x.bmp", "//127.0.0.1/share/x.bmp", "C:\\Card.FAS", "C:Moon.bmp",
        "Moon.bmp:stream", "file:Moon.bmp", "", ".", "..", ".\\", "Pictures", "nothing.bmp",
        "CON", "com1.bmp", "LPT\xB9.bmp", "NUL.txt"}) {
    EXPECT_EQ(FindCardFile(folder.Path(), outside), std::nullopt) << outside;
  }
}

TEST(CardFolder, WithoutSoundsOrMessageTheCardPlaysSilentAndBlank) {
  TempFolder folder;
  WriteCard(folder);
  std::filesystem::remove(folder.Path("Card.WAS"));
  std::filesystem::remove(folder.Path("msg.txt"));
  auto card = LoadCardFolder(folder.Path());
  ASSERT_TRUE(card.ok()) << card.error();
  EXPECT_EQ(card->sounds, nullptr);
  EXPECT_EQ(card->soundsProblem, "");
  EXPECT_EQ(card->message, CardMessage{});
}

TEST(CardFolder, OpensTheSoundsOnlyWhenTheLayoutTurnsSoundEffectsOn) {
  TempFolder folder;
  WriteCard(folder, {}, false);
  folder.Write("Card.WAS", Bytes("WAS"));  // damaged, but never opened
  auto card = LoadCardFolder(folder.Path());
  ASSERT_TRUE(card.ok()) << card.error();
  EXPECT_EQ(card->sounds, nullptr);
  EXPECT_EQ(card->soundsProblem, "");
}

TEST(CardFolder, ADamagedSoundBankLeavesTheCardSilentAndSaysWhy) {
  TempFolder folder;
  WriteCard(folder);
  folder.Write("Card.WAS", Bytes("WAS"));
  auto card = LoadCardFolder(folder.Path());
  ASSERT_TRUE(card.ok()) << card.error();
  EXPECT_EQ(card->sounds, nullptr);
  EXPECT_NE(card->soundsProblem.find("Card.WAS is damaged"), std::string::npos)
      << card->soundsProblem;
}

TEST(CardFolder, RefusesAFolderWithoutItsLayoutOrFramesInPlainWords) {
  const struct {
    const char* what;
    const char* file;
    std::optional<std::vector<std::uint8_t>> bytes;  // written instead; nothing: removed
    std::string says;
  } cases[] = {
      {"no Layout.txt", "Layout.txt", {}, "This card's files are missing: Layout.txt is not in "},
      {"no Card.FAS", "Card.FAS", {}, "This card's files are missing: Card.FAS is not in "},
      {"an empty Layout.txt", "Layout.txt", Bytes(""), "Layout.txt is missing or empty"},
      {"a cut Card.FAS", "Card.FAS", Bytes("FAS"), "Card.FAS is damaged"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteCard(folder);
    if (c.bytes) {
      folder.Write(c.file, *c.bytes);
    } else {
      std::filesystem::remove(folder.Path(c.file));
    }
    auto card = LoadCardFolder(folder.Path());
    ASSERT_FALSE(card.ok()) << c.what;
    EXPECT_NE(card.error().find(c.says), std::string::npos) << c.what << ": " << card.error();
  }
}

TEST(CardFolder, NamesTheFolderAsAPersonKnowsIt) {
  TempFolder folder;
  const std::string cards = folder.Path("Cards");
  EXPECT_EQ(FolderShownToPeople(cards), cards + "/");
  EXPECT_EQ(FolderShownToPeople(folder.Path("Cards/../Cards/")), cards + "/");
  EXPECT_EQ(MissingFileMessage(cards, "Layout.txt"),
            "This card's files are missing: Layout.txt is not in " + cards + "/");
  EXPECT_TRUE(FolderShownToPeople("").ends_with("/"));
  EXPECT_TRUE(FolderShownToPeople("").starts_with("/"));
}

}  // namespace
}  // namespace card
