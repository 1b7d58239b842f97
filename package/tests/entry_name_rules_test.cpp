// The names a card package may hold: plain file names of one folder on Windows, and no two
// that Windows takes for one file.
#include "package/entry_name_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace card {
namespace {

TEST(EntryNameRules, TakesPlainFileNames) {
  const std::string longest = std::string(96, 'n') + ".txt";
  const EntryName names[] = {
      {"Layout.txt", false},  {"Card.FAS", false},    {"back.bmp", false}, {"a b (2).htm", false},
      {".hidden.txt", false}, {"console.txt", false}, {"com10.txt", false}, {"LPT.bmp", false},
      {"CARD.WAS", false},    {"card.MID", false},    {"page.html", false}, {"Page.CSS", false},
      {"x.PNG", false},       {"x.gif", false},       {"x.Jpg", false},
      {"Gr\xC3\xBC\xC3\x9F" "e.htm", true}, {longest, false}};
  for (const EntryName& name : names) {
    const Status status = CheckEntryName(name);
    EXPECT_TRUE(status) << name.name << ": " << status.error();
  }
}

TEST(EntryNameRules, RefusesWhatIsNoPlainFileOfOneFolder) {
  struct Case {
    EntryName name;
    const char* says;
  };
  const std::string tooLong = std::string(97, 'n') + ".txt";
  const Case cases[] = {
      {{"", false}, "a file without a name"},
      {{"..", false}, "outside the card's folder"},
      {{"../evil.exe", false}, "outside the card's folder"},
      {{"..\\evil.exe", false}, "outside the card's folder"},
      {{"a/../../b", false}, "outside the card's folder"},
      {{"/etc/passwd", false}, "top of a drive"},
      {{"\\Windows\\win.ini", false}, "top of a drive"},
      {{"C:evil.exe", false}, "names a drive"},
      {{"c:\\evil.exe", false}, "names a drive"},
      {{"pictures/back.bmp", false}, "lies in a folder"},
      {{"pictures\\back.bmp", false}, "lies in a folder"},
      {{"pictures/", false}, "is a folder"},
      {{".", false}, "folder itself"},
      {{"CON", false}, "device"},
      {{"con.txt", false}, "device"},
      {{"Nul.tar.gz", false}, "device"},
      {{"aux .bmp", false}, "device"},
      {{"PRN", false}, "device"},
      {{"COM1", false}, "device"},
      {{"lpt9.htm", false}, "device"},
      {{"COM\xC2\xB9.txt", true}, "device"},
      {{"lpt\xC2\xB2.bmp", true}, "device"},
      {{"COM\xC2\xB3", true}, "device"},
      {{"CONIN$.txt", false}, "device"},
      {{"conout$", false}, "device"},
      {{"CLOCK$.bmp", false}, "device"},
      {{"winmm.dll", false}, "not a type of file a card may carry"},
      {{"VERSION.DLL", false}, "not a type of file a card may carry"},
      {{"x.bat", false}, "not a type of file a card may carry"},
      {{"x.hta", false}, "not a type of file a card may carry"},
      {{"x.exe", false}, "not a type of file a card may carry"},
      {{"x.lnk", false}, "not a type of file a card may carry"},
      {{"x.htm.scr", false}, "not a type of file a card may carry"},
      {{"README", false}, "not a type of file a card may carry"},
      {{"card.txt:stream", false}, "character Windows does not allow"},
      {{"what?.txt", false}, "character Windows does not allow"},
      {{"a*b.txt", false}, "character Windows does not allow"},
      {{"tab\there.txt", false}, "character Windows does not allow"},
      {{"dot.", false}, "dot or a space"},
      {{"space ", false}, "dot or a space"},
      {{tooLong, false}, "longer than the 100"},
      {{"caf\xE9.htm", false}, "not readable text"},
      {{"caf\xE9.htm", true}, "not readable text"},
      {{"caf\xC3\xA9.htm", false}, "not readable text"},
      {{"\xC0\xAF" "evil", true}, "not readable text"},
      {{"\xED\xA0\x80.htm", true}, "not readable text"},
  };
  for (const Case& c : cases) {
    const Status status = CheckEntryName(c.name);
    ASSERT_FALSE(status) << c.name.name;
    EXPECT_NE(status.error().find(c.says), std::string::npos) << c.name.name << ": "
                                                              << status.error();
  }
}

TEST(EntryNameRules, RefusesTwoNamesForOneFile) {
  const std::vector<EntryName> names = {{"Layout.txt", false}, {"back.bmp", false},
                                        {"Back.BMP", false}};
  const Status status = CheckEntryNames(names);
  ASSERT_FALSE(status);
  EXPECT_EQ(status.error(), "It holds two files of one name, \"back.bmp\" and \"Back.BMP\".");
  EXPECT_TRUE(CheckEntryNames(std::vector<EntryName>(names.begin(), names.end() - 1)));

  const std::vector<EntryName> oneBad = {{"Layout.txt", false}, {"../x", false}};
  EXPECT_FALSE(CheckEntryNames(oneBad));
  const std::vector<EntryName> planted = {{"Layout.txt", false}, {"winmm.dll", false}};
  EXPECT_EQ(CheckEntryNames(planted).error(),
            "It holds a file named \"winmm.dll\", which is not a type of file a card may carry "
            "(.txt, .fas, .was, .bmp, .mid, .htm, .html, .css, .png, .gif, .jpg).");
}

TEST(EntryNameRules, ShowsOnlyPrintableCharacters) {
  EXPECT_EQ(ShownEntryName("..\\a\x01\xC3\xA9"), "\"..\\a???\"");
}

}  // namespace
}  // namespace card
