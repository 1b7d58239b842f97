// What a hot spot or "Visit Us" may open: web and mail addresses, and the pages, pictures and
// texts of the card folder; every other target opens nothing.
#include "card/card_target.h"

#include "common/tests/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace card {
namespace {

using Kind = CardTarget::Kind;

TEST(CardTarget, OpensAddressesOfTheWebAndOfMail) {
  for (const char* address :
       {"http://www.example.com/index_free.htm", "https://example.com", "HTTPS://EXAMPLE.COM/a?b=c",
        "mailto:anna@example.com", "MailTo:anna@example.com?subject=Hi%20there"}) {
    EXPECT_EQ(ClassifyTarget(address), (CardTarget{Kind::Address, address})) << address;
  }
}

TEST(CardTarget, OpensPagesPicturesAndTextsOfTheCardFolder) {
  const std::pair<const char*, const char*> files[] = {
      {"moon.htm", "moon.htm"},  {".\\zelk.htm", "zelk.htm"}, {"./Page.HTML", "Page.HTML"},
      {"poem.txt", "poem.txt"},  {"back.bmp", "back.bmp"},    {"photo.JPG", "photo.JPG"},
      {"a.png", "a.png"},        {"b.gif", "b.gif"}};
  for (const auto& [target, name] : files) {
    EXPECT_EQ(ClassifyTarget(target), (CardTarget{Kind::CardFile, name})) << target;
  }
}

TEST(CardTarget, OpensNothingElse) {
  for (const char* target : {
           "x.bat", "X.BAT", "x.hta", "x.exe", "x.lnk", "x.cmd", "x.js", "x.vbs", "x.scr",
           "x.url", "Card.FAS", "card.mid", "style.css", "winmm.dll", "noextension", "",
           "\\\\127.0.0.1\\share\\x.exe", "\\\\127.0.0.1\\share\\page.htm",
           "//127.0.0.1/share/page.htm", "search-ms:query=x&crumb=location:\\\\127.0.0.1\\s",
           "file:///C:/Windows/win.ini", "file://127.0.0.1/share/x.htm", "ms-settings:",
           "javascript:alert(1)", "data:text/html,<p>x</p>", "C:\\Windows\\notepad.exe",
           "C:page.htm", "..\\page.htm", "../page.htm", "files\\page.htm", "\\page.htm",
           "page.htm:stream", "CON.txt", "lpt1.htm", "www.example.com", "http:", "http://",
           "mailto:", "http:example.com", "http:\\\\127.0.0.1\\share", "ftp://example.com",
           "https://example.com/\" --flag", "https://example.com/a b", "https://x.com\\x",
           "https://example.com/\x01"}) {
    EXPECT_EQ(ClassifyTarget(target).kind, Kind::Nothing) << target;
  }
}

TEST(CardTarget, OpensAddressesAsWrittenAndFilesTheFolderHolds) {
  testing::TempFolder folder;
  for (const char* name : {"Moon.htm", "x.bat", "back.bmp"}) folder.Write(name, {'x'});
  std::filesystem::create_directories(folder.Path("page.htm"));
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"https://example.com/a", "https://example.com/a"},
      {".\\moon.HTM", folder.Path("Moon.htm")},
      {"back.bmp", folder.Path("back.bmp")},
      {"x.bat", std::nullopt},
      {"missing.htm", std::nullopt},
      {"page.htm", std::nullopt},  // a folder
      {"\\\\127.0.0.1\\share\\Moon.htm", std::nullopt},
  };
  for (const auto& [target, opened] : cases) {
    EXPECT_EQ(TargetToOpen(folder.Path(), target), opened) << target;
  }
}

}  // namespace
}  // namespace card
