// What a card may carry by extension, and the names Windows keeps for devices.
#include "content/card_file_types.h"
#include "content/windows_device_names.h"

#include <gtest/gtest.h>

namespace card {
namespace {

TEST(CardFileTypes, TellsTypesByExtensionInAnyCase) {
  const std::pair<const char*, CardFileType> cases[] = {
      {"Layout.txt", CardFileType::Text},     {"Card.FAS", CardFileType::Content},
      {"card.was", CardFileType::Content},    {"CARD.MID", CardFileType::Content},
      {"moon.htm", CardFileType::Page},       {"Moon.HTML", CardFileType::Page},
      {"page.Css", CardFileType::Style},      {"back.bmp", CardFileType::Picture},
      {"a.b.PNG", CardFileType::Picture},     {"x.gif", CardFileType::Picture},
      {"x.JPG", CardFileType::Picture},       {"winmm.dll", CardFileType::None},
      {"version.DLL", CardFileType::None},    {"x.bat", CardFileType::None},
      {"x.hta", CardFileType::None},          {"x.exe", CardFileType::None},
      {"x.lnk", CardFileType::None},          {"x.jpeg", CardFileType::None},
      {"x.txt.exe", CardFileType::None},      {"x.htm ", CardFileType::None},
      {"htm", CardFileType::None},            {".hidden", CardFileType::None},
      {"noextension", CardFileType::None},    {"", CardFileType::None},
  };
  for (const auto& [name, type] : cases) EXPECT_EQ(CardFileTypeOf(name), type) << name;
}

TEST(CardFileTypes, OpensPagesPicturesAndTextsOnly) {
  EXPECT_TRUE(MayOpen(CardFileTypeOf("a.htm")));
  EXPECT_TRUE(MayOpen(CardFileTypeOf("a.bmp")));
  EXPECT_TRUE(MayOpen(CardFileTypeOf("a.txt")));
  EXPECT_FALSE(MayOpen(CardFileTypeOf("a.css")));
  EXPECT_FALSE(MayOpen(CardFileTypeOf("Card.FAS")));
  EXPECT_FALSE(MayOpen(CardFileTypeOf("a.exe")));
  EXPECT_EQ(MediaTypeOf("A.HTML"), "text/html");
  EXPECT_EQ(MediaTypeOf("a.jpg"), "image/jpeg");
  EXPECT_EQ(MediaTypeOf("a.txt"), "text/plain");
  EXPECT_EQ(MediaTypeOf("card.mid"), "");
  EXPECT_EQ(MediaTypeOf("a.bat"), "");
}

TEST(WindowsDeviceNames, KnowsEveryDevice) {
  const char* devices[] = {"CON",        "con.txt",      "Nul.tar.gz",   "aux .bmp",
                           "PRN",        "COM1",         "com0.htm",     "lpt9.htm",
                           "CONIN$",     "conout$.txt",  "Clock$.bmp",   "COM\xC2\xB9.txt",
                           "lpt\xC2\xB2", "COM\xC2\xB3", "LPT\xB9.bmp",  "com\xB3"};
  for (const char* name : devices) EXPECT_TRUE(IsDeviceName(name)) << name;
  const char* files[] = {"console.txt", "com10.txt", "LPT.bmp",  "com.htm", "COM\xC2\xB4.txt",
                         "conin.txt",   "xcon.txt",  "lpt1x.bmp", "clock",  "com\xC2",
                         "",            "CON(2).EXE", "AUX_",    "COMA"};
  for (const char* name : files) EXPECT_FALSE(IsDeviceName(name)) << name;
}

}  // namespace
}  // namespace card
