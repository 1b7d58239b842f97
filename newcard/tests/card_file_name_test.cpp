#include "newcard/card_file_name.h"
#include "newcard/windows1252_codec.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace card {
namespace {

const Windows1252Codec kCodec;

// A file system holding exactly the given paths, which also records every question.
struct FakeFiles {
  std::set<std::string> existing;
  std::vector<std::string> asked;
  FileExistsFunction Function() {
    return [this](const std::string& path) {
      asked.push_back(path);
      return existing.count(path) > 0;
    };
  }
};

std::string NameFor(std::string_view message, std::set<std::string> existing = {},
                    std::string_view packagePath = "") {
  FakeFiles files{std::move(existing), {}};
  return MakeCardFileName(message, packagePath, kCodec, files.Function());
}

TEST(MakeCardFileName, NamesTheCardAfterTheFirstWordThatIsNoGreeting) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Dear Anna,\r\nHappy birthday!", "ANNA.EXE"},
      {"Merry Christmas to all!", "ALL.EXE"},
      {"Happy New Year", "card.EXE"},
      {"...Tom", "TOM.EXE"},
      {"Hi, Tom", "HI.EXE"},  // touching punctuation keeps a greeting word
      {"Best wishes, Sam", "WISHES.EXE"},
      {"Supercalifragilistic day", "SUPERCALIFRAGIL.EXE"},
      {"Love you", "YOU(2).EXE"},
      // Earlier words may stand inside later ones: DEAR is not a whole word of DEAREST.
      {"Dearest Anna", "ANNA.EXE"},
      {"Happy Valentine's Day", "DAY.EXE"},
      {"Hi hi HI Tom", "TOM.EXE"},
      {"High hi Tom", "HIGH.EXE"},
      // The first line left with anything but whitespace and greeting words names the card.
      {"Merry Christmas\r\n\r\n  Bob and Ann", "BOB.EXE"},
      {"Dear\r\nAnna", "ANNA.EXE"},
      {"Tom\r\nAnna", "TOM.EXE"},
      // The nine characters that may not stand in a file name are skipped like blanks ...
      {"\"Tom\"", "TOM.EXE"},
      {". Tom", "TOM.EXE"},
      {"<*?|:\\>Tom", "TOM.EXE"},
      // ... other punctuation ends the (then empty) name word.
      {"(Tom)", "card.EXE"},
      {"'Tom", "card.EXE"},
      {"Dear Zo\xEB", "ZO.EXE"},  // bytes from 0x80 up end the name word too
      {"r2d2-c3po", "R2D2.EXE"},
      {"A123456789012345678", "A12345678901234.EXE"},
      {"", "card.EXE"},
      {"I", "card.EXE"},
      {" \t\r\n", "card.EXE"},
      {std::string_view("Dear\0Anna", 9), "card.EXE"},  // the text ends at a NUL
  };
  for (const auto& [message, name] : cases) {
    EXPECT_EQ(NameFor(message, {"YOU.EXE"}), name) << message;
  }
}

TEST(MakeCardFileName, NumbersFromTwoUntilAPathIsFree) {
  const struct {
    std::string_view message;
    std::set<std::string> existing;
    std::string_view name;
  } cases[] = {
      {"Dear Anna", {}, "ANNA.EXE"},
      {"Dear Anna", {"ANNA.EXE"}, "ANNA(2).EXE"},
      {"Dear Anna", {"ANNA.EXE", "ANNA(2).EXE", "ANNA(3).EXE"}, "ANNA(4).EXE"},
      {"Dear Anna", {"ANNA(2).EXE"}, "ANNA.EXE"},
      {"Happy New Year", {"card.EXE"}, "card(2).EXE"},
  };
  for (const auto& c : cases) EXPECT_EQ(NameFor(c.message, c.existing), c.name) << c.name;

  FakeFiles files{{"C:\\Cards\\ANNA.EXE"}, {}};
  EXPECT_EQ(MakeCardFileName("Dear Anna", "C:\\Cards\\card.exe", kCodec, files.Function()),
            "C:\\Cards\\ANNA(2).EXE");
  EXPECT_EQ(files.asked,
            (std::vector<std::string>{"C:\\Cards\\ANNA.EXE", "C:\\Cards\\ANNA(2).EXE"}));
}

TEST(MakeCardFileName, TakesADevicesNameForTaken) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Dear Con", "CON(2).EXE"},     {"Dear Nul,", "NUL(2).EXE"},
      {"Hello Com1", "COM1(2).EXE"},  {"Lpt9", "LPT9(2).EXE"},
      {"Dear Aux!", "AUX(2).EXE"},    {"Dear Conrad", "CONRAD.EXE"},
      {"Com10", "COM10.EXE"},
  };
  for (const auto& [message, name] : cases) {
    EXPECT_EQ(NameFor(message, {}, "C:\\Cards\\x.exe"), "C:\\Cards\\" + std::string(name))
        << message;
  }
  EXPECT_EQ(NameFor("Dear Con", {"CON(2).EXE"}), "CON(3).EXE");
}

TEST(MakeCardFileName, EndsInTheExtensionItIsGiven) {
  FakeFiles files{{"ANNA.html"}, {}};
  EXPECT_EQ(MakeCardFileName("Dear Anna,\r\nHappy birthday!", "", kCodec, files.Function(),
                             ".html"),
            "ANNA(2).html");
  EXPECT_EQ(MakeCardFileName("Happy New Year", "", kCodec, files.Function(), ".html"),
            "card.html");
}

TEST(MakeCardFileName, PutsTheCardInThePackagesFolder) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"", "ANNA.EXE"},
      {"card.exe", "ANNA.EXE"},
      {"C:\\Cards\\card.exe", "C:\\Cards\\ANNA.EXE"},
      {"\\\\server\\share\\my cards\\x.exe", "\\\\server\\share\\my cards\\ANNA.EXE"},
      {"C:\\Cards\\", "C:\\Cards\\ANNA.EXE"},
  };
  for (const auto& [package, path] : cases) {
    EXPECT_EQ(NameFor("Dear Anna", {}, package), path) << package;
  }
}

TEST(RemoveWholeWord, RemovesOneWholeOccurrenceAndKeepsTheWhitespace) {
  const struct {
    std::string text;
    std::string_view word;
    bool removed;
    std::string after;
  } cases[] = {
      {"HI TOM", "HI", true, " TOM"},
      {"TOM HI", "HI", true, "TOM "},
      {"HI", "HI", true, ""},
      {"HI HI", "HI", true, " HI"},  // one at a time
      {"HIGH HI", "HI", true, "HIGH "},
      {"HIHI HI", "HI", true, "HIHI "},
      {"TOM\tHI\r\nX", "HI", true, "TOM\t\r\nX"},
      {"A\vHI\fB", "HI", true, "A\v\fB"},
      {"HI, TOM", "HI", false, "HI, TOM"},
      {"OHI", "HI", false, "OHI"},
      {"hi", "HI", false, "hi"},
      {"VALENTINE'S", "VALENTINE", false, "VALENTINE'S"},
      {"", "HI", false, ""},
      {"HI", "", false, "HI"},
  };
  for (auto c : cases) {
    EXPECT_EQ(RemoveWholeWord(c.text, c.word), c.removed) << c.after;
    EXPECT_EQ(c.text, c.after);
  }
}

// Reads '#' as '?', so only a conversion through the codec makes it unsafe.
class HashIsQuestionMarkCodec final : public TextCodec {
 public:
  std::u16string ToUtf16(std::string_view text) const override {
    std::u16string wide;
    for (char c : text) wide.push_back(c == '#' ? u'?' : char16_t(static_cast<unsigned char>(c)));
    return wide;
  }
  std::string FromUtf16(std::u16string_view text) const override {
    std::string narrow;
    for (char16_t unit : text) narrow.push_back(static_cast<char>(unit));
    return narrow;
  }
  std::string ToUpper(std::string_view text) const override { return std::string(text); }
};

TEST(ReplaceUnsafeCharacters, BlanksControlCharactersAndTheNine) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\\b<c>d:e\"f|g.h*i?j", "a b c d e f g h i j"},
      {std::string("\x01\x1F\t\r\n\0x", 7), "      x"},
      {"/'()!\x7F\x80\x81\xA0\xFF", "/'()!\x7F\x80\x81\xA0\xFF"},
  };
  for (auto [text, expected] : cases) {
    ReplaceUnsafeCharacters(text, kCodec);
    EXPECT_EQ(text, expected);
  }
  std::string hashed = "a#b";
  ReplaceUnsafeCharacters(hashed, HashIsQuestionMarkCodec());
  EXPECT_EQ(hashed, "a b");
}

}  // namespace
}  // namespace card
