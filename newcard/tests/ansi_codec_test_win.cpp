// The ANSI code page codec against the system: on a western system (code page 1252) it must
// agree with the portable Windows-1252 codec byte for byte, which the naming's tests rely on.
#include "newcard/ansi_codec_win.h"

#include "newcard/card_file_name.h"
#include "newcard/windows1252_codec.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace card {
namespace {

TEST(AnsiCodec, AgreesWithWindows1252OnAWesternSystem) {
  if (GetACP() != 1252) GTEST_SKIP() << "the system's code page is " << GetACP();
  const AnsiCodec ansi;
  const Windows1252Codec portable;
  for (int byte = 1; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(ansi.ToUtf16(one), portable.ToUtf16(one)) << "byte " << byte;
    EXPECT_EQ(ansi.FromUtf16(portable.ToUtf16(one)), one) << "byte " << byte;
    EXPECT_EQ(ansi.ToUpper(one), portable.ToUpper(one)) << "byte " << byte;
  }
  EXPECT_EQ(ansi.FromUtf16(u"\u4E00"), "?") << "a character the code page lacks";
}

TEST(AnsiCodec, ConvertsWholeTextsAndNamesCards) {
  const AnsiCodec codec;
  EXPECT_EQ(codec.ToUtf16(""), u"");
  EXPECT_EQ(codec.FromUtf16(u""), "");
  EXPECT_EQ(codec.ToUpper(""), "");
  EXPECT_EQ(codec.ToUtf16("Dear Anna,\r\n"), u"Dear Anna,\r\n");
  EXPECT_EQ(codec.ToUpper("dear anna, happy day 2!"), "DEAR ANNA, HAPPY DAY 2!");
  const auto none = [](const std::string&) { return false; };
  EXPECT_EQ(MakeCardFileName("Dear anna:\r\nhappy day", "C:\\cards\\Greeting.exe", codec, none),
            "C:\\cards\\ANNA.EXE");
}

}  // namespace
}  // namespace card
