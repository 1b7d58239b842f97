// The card check over a table of broken cards: each is refused with a message naming the file
// and the place. A sound card passes without a word; warnings alone do not fail. Scripts that
// run themselves again before they have ended are warned about, with as many runs as the
// player really allows.
#include "tools/cardkit/card_checker.h"

#include "card/card_folder.h"
#include "common/byte_writer.h"
#include "content/name_directory_writer.h"
#include "tools/cardkit/card_simulation.h"
#include "tools/cardkit/file_io.h"
#include "tools/cardkit/tests/card_fixture.h"
#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

std::string Listing(const Diagnostics& diagnostics) {
  std::string text;
  for (const Diagnostic& d : diagnostics.All()) text += "  " + FormatDiagnostic(d) + "\n";
  return text;
}

bool Has(const Diagnostics& diagnostics, Severity severity, const std::string& file,
         const std::string& place, const std::string& says) {
  for (const Diagnostic& d : diagnostics.All()) {
    if (d.severity == severity && d.file == file && d.place == place &&
        d.text.find(says) != std::string::npos) {
      return true;
    }
  }
  return false;
}

TEST(CardChecker, ASoundCardPassesWithoutAWord) {
  test::TempDir dir;
  test::WriteCard(dir.Path(), {});
  const Diagnostics diagnostics = CheckCardFolder(dir.Path());
  EXPECT_TRUE(diagnostics.All().empty()) << Listing(diagnostics);
}

// A "do" script with one fault, found at a 1-based character of it.
struct BrokenScript {
  const char* what;
  std::string doText;
  int character;
  std::string says;
};

// Scripts in a card are single-byte text; '\xA9' is the bounds sign.
const BrokenScript kBrokenScripts[] = {
    {"a tab", "1,\t2", 3, "not part of the script language"},
    {"a byte outside the language", "1 \xE9", 3, "\"\\xE9\""},
    {"an open group", "1,(2,3", 3, "'(' is never closed"},
    {"a stray closer", "1,2),3", 4, "closes no group"},
    {"a stray choice closer", "1}", 2, "closes no choice"},
    {"an open choice", "1,{2|3", 3, "'{' is never closed"},
    {"an open move", "[4,0 1", 1, "'[' is never closed"},
    {"an open bounds", "1,\xA9" "0l0t,0r0b", 3, "never closed"},
    {"an undefined name", "1,  wave", 5, "\"wave\" is not defined"},
    {"a frame that does not exist", "1,9", 3, "no frame 9"},
    {"a range with missing frames", "(2-6)", 2, "do not exist: 4, 5, 6"},
    {"a sound not in the bank", "!BELL 1 (!HOOT 2)", 10, "\"HOOT\" is not in Card.WAS"},
    {"a sound without a name", "1 ! 2", 3, "names no sound"},
    {"bounds missing ']'", "\xA9[0,0 0l0t,0r0b\xA9 1", 1, "Bad syntax - missing ']'"},
    {"bounds missing ','", "1 \xA9" "0l0t 0r0b\xA9", 3, "Bad syntax - missing ','"},
    {"bounds naming an unknown control", "\xA9" "7l0t,0r0b\xA9 1", 1, "no control with id 7"},
    {"a choice that cannot draw", "1,{2%0|3%0}", 3, "add up to 0"},
    {"a weight that wraps to 0", "{2%65536}", 1, "add up to 0"},
    {"an error inside a choice", "{1|2,nope%3}", 6, "\"nope\" is not defined"},
};

TEST(CardChecker, RefusesEachBrokenScriptNamingThePlace) {
  for (const BrokenScript& script : kBrokenScripts) {
    test::TempDir dir;
    test::CardSpec spec;
    spec.scripts = {{"do", script.doText}};
    test::WriteCard(dir.Path(), spec);
    const Diagnostics diagnostics = CheckCardFolder(dir.Path());
    const std::string place = "script \"do\", character " + std::to_string(script.character);
    EXPECT_TRUE(Has(diagnostics, Severity::Error, "Card.FAS", place, script.says))
        << script.what << ": expected Card.FAS, " << place << ": ..." << script.says
        << "...\ngot:\n"
        << Listing(diagnostics);
  }
}

// Any other fault of a card folder, made by changing what the fixture writes or the files
// it has written.
struct BrokenCard {
  const char* what;
  std::function<void(test::CardSpec&)> change;
  std::function<void(const fs::path&)> afterwards;  // may be empty
  std::string file;
  std::string place;
  std::string says;
};

void WriteTrueColourBitmap(const fs::path& path) {
  // 8 x 8 pixels of 24 bits: headers only, zero pixels, no colour table.
  std::vector<std::uint8_t> bmp(54 + 8 * 24, 0);
  bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 54, bmp[14] = 40;
  bmp[18] = 8, bmp[22] = 8, bmp[26] = 1, bmp[28] = 24;
  test::WriteFile(path, bmp);
}

void WriteBankWithLowerCaseName(const fs::path& path) {
  // The bank writer upper-cases names; another tool might not.
  const std::vector<std::uint8_t> clip = {2, 0, 0, 0, 0, 0};
  test::WriteFile(path, *WriteNameDirectory(0, {{"BELL", clip}, {"hoot", clip}}, "sound"));
}

using Spec = test::CardSpec;

// The layout with the first `from` replaced by `to`.
void Swap(std::string& layout, const std::string& from, const std::string& to) {
  layout.replace(layout.find(from), from.size(), to);
}

const BrokenCard kBrokenCards[] = {
    {"a name in the wrong case", [](Spec& s) { s.scripts = {{"do", "Walk"}, {"walk", "1"}}; }, {},
     "Card.FAS", "script \"do\", character 1", "Did you mean \"walk\"?"},
    {"a sound without a bank", [](Spec& s) { s.sounds.clear(); }, {},
     "Card.FAS", "script \"do\", character 5", "there is no Card.WAS"},
    {"definitions that name each other",
     [](Spec& s) { s.scripts = {{"do", "1,a"}, {"a", "(b)"}, {"b", "a"}}; }, {},
     "Card.FAS", "script \"a\"", "\"a\" -> \"b\" -> \"a\""},
    {"a definition that names itself",
     [](Spec& s) { s.scripts = {{"do", "1,x"}, {"x", "{x|x%2}"}}; }, {},
     "Card.FAS", "script \"x\"", "never shows a frame"},
    {"no \"do\"", [](Spec& s) { s.scripts = {{"start", "1"}}; }, {},
     "Card.FAS", "", "no script named \"do\""},
    {"a damaged Card.FAS", {}, [](const fs::path& f) { fs::resize_file(f / "Card.FAS", 70); },
     "Card.FAS", "", "damaged"},
    {"a frame width no screen has", {},
     [](const fs::path& f) {
       std::vector<std::uint8_t> bytes = *ReadWholeFile(f / "Card.FAS");
       PutU32(bytes, 56, 0x7FFFFFFF);
       test::WriteFile(f / "Card.FAS", bytes);
     },
     "Card.FAS", "", "damaged: the frame width is 2147483647; it must be at most 4096."},
    {"no Card.FAS", {}, [](const fs::path& f) { fs::remove(f / "Card.FAS"); },
     "Card.FAS", "", "no Card.FAS"},
    {"a layout colour line that does not parse",
     [](Spec& s) { s.layout.replace(s.layout.find("16777215|0|255"), 14, "16777215|0"); }, {},
     "Layout.txt", "line 4", "expected"},
    {"a layout that ends early", [](Spec& s) { s.layout.resize(s.layout.find("2\r\n0\r\n")); }, {},
     "Layout.txt", "", "ends after line 13"},
    {"no Layout.txt", {}, [](const fs::path& f) { fs::remove(f / "Layout.txt"); },
     "Layout.txt", "", "no Layout.txt"},
    {"a missing bitmap", [](Spec& s) { s.bitmaps = {"logo.bmp", "hover.bmp"}; }, {},
     "Layout.txt", "line 7, image \"back.bmp\"", "not in the card folder"},
    {"a missing hover image", [](Spec& s) { s.bitmaps = {"logo.bmp", "back.bmp"}; }, {},
     "Layout.txt", "line 11, hot spot 1, hover image \"hover.bmp\"", "not in the card folder"},
    {"a picture on a share", [](Spec& s) { Swap(s.layout, "back.bmp", "\\\\127.0.0.1\\s\\x.bmp"); },
     {}, "Layout.txt", "line 7, image \"\\\\127.0.0.1\\s\\x.bmp\"", "no picture named so"},
    {"a logo in another folder", [](Spec& s) { Swap(s.layout, "logo.bmp", "..\\logo.bmp"); }, {},
     "Layout.txt", "line 6, logo \"..\\logo.bmp\"", "no picture named so"},
    {"a hover image on a drive", [](Spec& s) { Swap(s.layout, "hover.bmp-", "C:hover.bmp-"); },
     {}, "Layout.txt", "line 11, hot spot 1, hover image \"C:hover.bmp\"", "no picture named so"},
    {"a target that runs a program", [](Spec& s) { Swap(s.layout, ".\\info.htm", "run.bat"); },
     [](const fs::path& f) { test::WriteFile(f / "run.bat", std::string_view("echo")); },
     "Layout.txt", "line 10, hot spot 1, target \"run.bat\"", "a click opens nothing there"},
    {"a target on a share",
     [](Spec& s) { Swap(s.layout, ".\\info.htm", "\\\\127.0.0.1\\share\\info.htm"); }, {},
     "Layout.txt", "line 10, hot spot 1, target \"\\\\127.0.0.1\\share\\info.htm\"",
     "a card opens only http:, https: and mailto: addresses"},
    {"a target of another scheme",
     [](Spec& s) { Swap(s.layout, ".\\info.htm", "search-ms:query=x"); }, {},
     "Layout.txt", "line 10, hot spot 1, target \"search-ms:query=x\"", "opens nothing"},

    {"a bitmap without a colour table", {},
     [](const fs::path& f) { WriteTrueColourBitmap(f / "logo.bmp"); },
     "logo.bmp", "", "no colour table"},
    {"a file that is not a bitmap", {},
     [](const fs::path& f) { test::WriteFile(f / "back.bmp", std::string_view("GIF89a")); },
     "back.bmp", "", "not a Windows bitmap"},
    {"a message of 488 characters", [](Spec& s) { s.message = std::string(488, 'x'); }, {},
     "msg.txt", "", "488 characters"},
    {"a message of 8 lines",
     [](Spec& s) { s.message = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8"; }, {},
     "msg.txt", "", "8 lines"},
    {"a bank name in lower case", {},
     [](const fs::path& f) { WriteBankWithLowerCaseName(f / "Card.WAS"); },
     "Card.WAS", "sound \"hoot\"", "lower-case"},
};

TEST(CardChecker, RefusesEachBrokenCardNamingTheFileAndThePlace) {
  for (const BrokenCard& card : kBrokenCards) {
    test::TempDir dir;
    test::CardSpec spec;
    if (card.change) card.change(spec);
    test::WriteCard(dir.Path(), spec);
    if (card.afterwards) card.afterwards(dir.Path());
    const Diagnostics diagnostics = CheckCardFolder(dir.Path());
    EXPECT_TRUE(diagnostics.HasErrors()) << card.what;
    EXPECT_TRUE(Has(diagnostics, Severity::Error, card.file, card.place, card.says))
        << card.what << ": expected " << card.file << ", " << card.place << ": ..." << card.says
        << "...\ngot:\n"
        << Listing(diagnostics);
  }
}

TEST(CardChecker, WarningsDoNotFail) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> scripts;
    std::string place;
    std::string says;
  };
  const Case cases[] = {
      {"names that differ only in case", {{"do", "walk,Walk"}, {"walk", "1"}, {"Walk", "2"}},
       "script \"walk\"", "only in case"},
      {"a script nothing uses", {{"do", "1"}, {"spare", "2"}}, "script \"spare\"", "refers to it"},
      {"a move not written as [dx,dy]", {{"do", "[5] 1"}}, "script \"do\", character 1",
       "moves by (5, 0)"},
      {"a frame id above 16 bits", {{"do", "65537"}}, "script \"do\", character 1",
       "shows the frame 1"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    test::CardSpec spec;
    spec.scripts = c.scripts;
    spec.sounds.clear();
    test::WriteCard(dir.Path(), spec);
    fs::remove(dir.Path() / "Card.WAS");
    const Diagnostics diagnostics = CheckCardFolder(dir.Path());
    EXPECT_FALSE(diagnostics.HasErrors()) << c.what << "\n" << Listing(diagnostics);
    EXPECT_TRUE(Has(diagnostics, Severity::Warning, "Card.FAS", c.place, c.says))
        << c.what << "\n" << Listing(diagnostics);
  }
}

TEST(CardChecker, PlacesCanBeMappedToWhereTheScriptWasWritten) {
  test::TempDir dir;
  test::CardSpec spec;
  spec.scripts = {{"do", "1,wave"}};
  test::WriteCard(dir.Path(), spec);
  ScriptPlaces places = [](const std::string& script, std::optional<std::size_t> position) {
    const std::string at = script + "@" + std::to_string(position.value_or(99));
    return std::optional<DiagnosticPlace>({"scripts.txt", at});
  };
  const Diagnostics diagnostics = CheckCardFolder(dir.Path(), places);
  EXPECT_TRUE(Has(diagnostics, Severity::Error, "scripts.txt", "do@2", "\"wave\" is not defined"))
      << Listing(diagnostics);
}

}  // namespace
}  // namespace card::kit

namespace card::kit {
namespace {

// Runs that nest inside each other, and recursions that end; `place` is empty for these.
struct NestingCase {
  const char* what;
  std::map<std::string, std::string> scripts;
  std::string place;
  std::string says;
};

const std::string kWorkArea = "\xA9[0,0]0l0t,[0,0]0r0b\xA9";
// The same bounds, 1021 bytes long: what follows the second corner is not read.
const std::string kLongWorkArea = "\xA9[0,0]0l0t,[0,0]0r0b" + std::string(1000, ' ') + "\xA9";

const NestingCase kNestingCases[] = {
    {"a script naming itself at its end", {{"do", "r"}, {"r", "1,2,r"}},
     "script \"r\", character 5", "\"r\" runs itself again before it has ended, so each run "
     "nests inside the last and the card stops with an error after about 65535 runs; to repeat, "
     "use \"@N\" or \"*N\", which repeat without growing."},
    {"two scripts naming each other", {{"do", "a"}, {"a", "1 b"}, {"b", "2 a"}},
     "script \"b\", character 3",
     "\"a\" runs itself again (\"a\" -> \"b\" -> \"a\") before it has ended, so each run nests "
     "inside the last and the card stops with an error after about 32767 runs"},
    {"inside a group and a choice whose every alternative recurs",
     {{"do", "r"}, {"r", "(1,{2,r|3 r})"}}, "script \"r\", character 7", "about 21845 runs"},
    {"a choice whose other alternative is never drawn", {{"do", "r"}, {"r", "1,{r|2%0}"}},
     "script \"r\", character 4", "runs itself again"},
    {"after a sound, outside any sound group", {{"do", "r"}, {"r", "!BELL 1,r"}},
     "script \"r\", character 9", "runs itself again"},
    {"moves that cancel out within bounds",
     {{"do", kWorkArea + " r"}, {"r", "[4,0]1,[-4,0]2,r"}}, "script \"r\", character 16",
     "runs itself again"},
    {"a move with no bounds to stop it", {{"do", "r"}, {"r", "[4,0]1,r"}},
     "script \"r\", character 8", "runs itself again"},
    {"a long text: the text the open groups keep runs out first",
     {{"do", "r"}, {"r", "1" + std::string(600, ' ') + "r"}}, "script \"r\", character 602",
     "about 27776 runs"},
    {"a bounds definition opens no group: the script's length runs out",
     {{"do", "r"}, {"r", "1,r" + kLongWorkArea}}, "script \"r\", character 3", "about 1027 runs"},
    {"a choice that may draw its way out", {{"do", "r"}, {"r", "1,{r|2}"}}, "", ""},
    {"repeats", {{"do", "walk*1000,(1,2)@600,{1|2}*50"}, {"walk", "1,2"}}, "", ""},
    {"a name used again and again, never by itself", {{"do", "a,a"}, {"a", "b,b"}, {"b", "1"}},
     "", ""},
    {"walking to the edge of its bounds", {{"do", kWorkArea + " walk"}, {"walk", "[4,0]1,walk"}},
     "", ""},
    {"moved by another script, within bounds",
     {{"do", kWorkArea + " r"}, {"r", "step,r"}, {"step", "[0,2]1"}}, "", ""},
    {"a sound group ends with its sound", {{"do", "r"}, {"r", "(!BELL 1,2,r)"}}, "", ""},
    {"never shows a frame: an error, not this warning", {{"do", "1,x"}, {"x", "x"}}, "", ""},
};

TEST(CardChecker, WarnsWhereAScriptRunsItselfAgainBeforeItHasEnded) {
  for (const NestingCase& c : kNestingCases) {
    test::TempDir dir;
    test::CardSpec spec;
    spec.scripts = c.scripts;
    test::WriteCard(dir.Path(), spec);
    const Diagnostics diagnostics = CheckCardFolder(dir.Path());
    if (c.place.empty()) {
      EXPECT_EQ(Listing(diagnostics).find("runs itself again"), std::string::npos)
          << c.what << "\n" << Listing(diagnostics);
      continue;
    }
    EXPECT_TRUE(Has(diagnostics, Severity::Warning, "Card.FAS", c.place, c.says))
        << c.what << ": expected Card.FAS, " << c.place << ": ..." << c.says << "...\ngot:\n"
        << Listing(diagnostics);
    EXPECT_EQ(diagnostics.WarningCount(), 1) << c.what << "\n" << Listing(diagnostics);
  }
}

// The number of runs the warning gives is about the number the player plays before it stops.
TEST(CardChecker, TheNestingWarningCountsTheRunsThePlayerAllows) {
  struct Case {
    const char* what;
    std::string text;  // of "r", which "do" runs
    int framesPerRun;
  };
  const Case cases[] = {
      {"open groups run out", "1,2,r", 2},
      {"the text they keep runs out", "1" + std::string(600, ' ') + "r", 1},
      {"the script's length runs out", "1,r" + kLongWorkArea, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    test::CardSpec spec;
    spec.scripts = {{"do", "r"}, {"r", c.text}};
    test::WriteCard(dir.Path(), spec);
    const Diagnostics diagnostics = CheckCardFolder(dir.Path());
    std::smatch said;
    const std::string listing = Listing(diagnostics);
    ASSERT_TRUE(std::regex_search(listing, said, std::regex("after about ([0-9]+) runs")))
        << listing;
    const int warned = std::stoi(said[1]);

    auto card = LoadCardFolder(dir.Path().string());
    ASSERT_TRUE(card.ok()) << card.error();
    int frames = 0;
    int errors = 0;
    SimulateCard(*card, {}, "do", 2 * warned * c.framesPerRun, 1,
                 [&](const SimulationEvent& event) {
                   if (event.kind == SimulationEvent::Kind::Error) ++errors;
                   if (event.kind == SimulationEvent::Kind::Frame && errors == 0) ++frames;
                 });
    EXPECT_EQ(errors, 1);
    EXPECT_NEAR(frames / c.framesPerRun, warned, warned / 100);
  }
}

}  // namespace
}  // namespace card::kit
