// scripts.txt: entries, comments, continuations and the bounds sign; every refused line is
// reported with its place.
#include "tools/cardkit/scripts_reader.h"

#include <gtest/gtest.h>

namespace card::kit {
namespace {

TEST(ScriptsReader, ReadsEntriesCommentsAndContinuations) {
  const std::string text =
      "\xEF\xBB\xBF# the figure\r\n"
      "do = walk, wave\r\n"
      "\r\n"
      "walk = ([4,0]1-4)*3,\n"
      "\t  [0,2]5\n"
      "keep=\xC2\xA9[0,0]0l0t,[0,0]0r0b\xC2\xA9\n"
      "empty =\n"
      "wave = {6|7%2}\t8";
  Diagnostics diagnostics;
  const auto entries = ReadScripts(text, "scripts.txt", diagnostics);
  ASSERT_TRUE(diagnostics.All().empty()) << FormatDiagnostic(diagnostics.All().front());
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].name, "do");
  EXPECT_EQ(entries[0].text, "walk, wave");
  EXPECT_EQ(entries[1].name, "walk");
  EXPECT_EQ(entries[1].text, "([4,0]1-4)*3, [0,2]5");
  EXPECT_EQ(entries[1].line, 4);
  EXPECT_EQ(entries[2].text, "\xA9[0,0]0l0t,[0,0]0r0b\xA9");
  EXPECT_EQ(entries[3].text, "");
  EXPECT_EQ(entries[4].text, "{6|7%2} 8") << "a tab would end the script; it becomes a space";
}

TEST(ScriptsReader, PlacesInTheTextMapToLinesAndColumns) {
  Diagnostics diagnostics;
  const auto entries =
      ReadScripts("a = 1,\xC2\xA9x\xC2\xA9,2\n   3 bad\n", "scripts.txt", diagnostics);
  ASSERT_EQ(entries.size(), 1u);
  const ScriptEntry& a = entries[0];
  ASSERT_EQ(a.text, "1,\xA9x\xA9,2 3 bad");
  EXPECT_EQ(a.SourcePlace(0), "line 1, column 5");
  EXPECT_EQ(a.SourcePlace(6), "line 1, column 11") << "'©' is one character";
  EXPECT_EQ(a.SourcePlace(8), "line 2, column 4");
  EXPECT_EQ(a.SourcePlace(10), "line 2, column 6");
}

TEST(ScriptsReader, ReportsEveryBadLineWithItsPlace) {
  struct Case {
    const char* text;
    const char* place;
    const char* says;
  };
  const Case cases[] = {
      {"  1,2\n", "line 1", "continues an entry"},
      {"do = 1\nwalk 1-4\n", "line 2", "name = script text"},
      {"do = 1\n2walk = 1\n", "line 2", "\"2walk\" is not a name"},
      {"my-walk = 1\n", "line 1", "not a name"},
      {"do = 1\ndo = 2\n", "line 2", "defined twice"},
      {"do = 1\nwave = 1,\xC3\xA9\n", "line 2, column 10", "U+00E9"},
      {"do = 1\nwave = 1,\n  2 \xE2\x82\xAC\n", "line 3, column 5", "U+20AC"},
  };
  for (const Case& c : cases) {
    Diagnostics diagnostics;
    ReadScripts(c.text, "scripts.txt", diagnostics);
    ASSERT_EQ(diagnostics.All().size(), 1u) << c.text;
    const Diagnostic& d = diagnostics.All()[0];
    EXPECT_EQ(d.severity, Severity::Error);
    EXPECT_EQ(d.file, "scripts.txt");
    EXPECT_EQ(d.place, c.place) << c.text;
    EXPECT_NE(d.text.find(c.says), std::string::npos) << d.text;
  }
}

TEST(ScriptsReader, ARefusedEntryTakesItsContinuationsWithIt) {
  Diagnostics diagnostics;
  const auto entries =
      ReadScripts("do = 1\nwave = 1,\xC3\xA9\n  2,3\nok = 4\n", "s.txt", diagnostics);
  EXPECT_EQ(diagnostics.ErrorCount(), 1);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].text, "1");
  EXPECT_EQ(entries[1].name, "ok");
}

TEST(ScriptsReader, NamesAreWhatTheTokenizerReadsAsOne) {
  for (const char* good : {"do", "a", "walk_2", "Big\\bird", "x9"}) {
    EXPECT_TRUE(IsScriptName(good)) << good;
  }
  for (const char* bad : {"", "9a", "_a", "a-b", "a b", "\\a", "caf\xC3\xA9"}) {
    EXPECT_FALSE(IsScriptName(bad)) << bad;
  }
}

}  // namespace
}  // namespace card::kit
