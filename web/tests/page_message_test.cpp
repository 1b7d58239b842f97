// The web card's UTF-8 message: reading a page's msg.txt, the dialog's limits as a person counts
// them, and the new card's name by the card file naming rules.
#include "web/page_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::u16string Repeated(std::u16string_view unit, std::size_t times) {
  std::u16string out;
  for (std::size_t i = 0; i < times; ++i) out += unit;
  return out;
}

TEST(PageMessage, ReadsAUtf8MessageWithItsMarkerBeyondTheCardsLimit) {
  // 300 Cyrillic letters take 600 bytes, more than card.exe reads of msg.txt.
  std::string text;
  for (int i = 0; i < 300; ++i) text += "\xD0\x96";
  const CardMessage message =
      DecodePageMessage(Bytes(text + "\r\n\xE2\x82\xAC\xFF\xFF"));
  EXPECT_TRUE(message.centred);
  EXPECT_EQ(message.text, text + "\r\n\xE2\x82\xAC");
  EXPECT_EQ(PageMessageText(message.text), Repeated(u"Ж", 300) + u"\n€");
}

TEST(PageMessage, KeepsCrLfLineBreaksAndEveryCharacterBothWays) {
  const std::u16string page = u"Дорогая Анна,\nΧρόνια πολλά! 生日快乐 \U0001F382";
  const std::string message = MessageText(page);
  EXPECT_EQ(message.find('\n'), message.find('\r') + 1);
  EXPECT_EQ(PageMessageText(message), page);
  const CardMessage centred{message, true};
  EXPECT_EQ(DecodePageMessage(EncodeMessageFile(centred)), centred);
}

TEST(PageMessage, TheDialogCountsCharactersAsAPersonDoes) {
  const struct {
    const char* what;
    std::u16string text;
    bool fits;
  } cases[] = {
      {"487 letters", Repeated(u"x", 487), true},
      {"488 letters", Repeated(u"x", 488), false},
      {"487 emoji, each two UTF-16 units", Repeated(u"\U0001F600", 487), true},
      {"488 emoji", Repeated(u"\U0001F600", 488), false},
      {"487 CJK characters", Repeated(u"字", 487), true},
      {"a line break counts one", Repeated(u"x\n", 6) + Repeated(u"x", 475), true},
      {"one more over", Repeated(u"x\n", 6) + Repeated(u"x", 476), false},
      {"seven lines", Repeated(u"line\n", 6) + u"seven", true},
      {"an eighth line", Repeated(u"line\n", 7) + u"eight", false},
      {"an empty eighth line", Repeated(u"\n", 7), false},
  };
  for (const auto& c : cases) EXPECT_EQ(FitsNewMessage(c.text), c.fits) << c.what;
}

TEST(PageMessage, NamesTheNewCardByTheCardFileNamingRules) {
  const struct {
    std::u16string message;
    const char* name;
  } cases[] = {
      {u"Dear Anna,\nHappy birthday!", "ANNA.html"},
      {u"happy new year\n\nbob", "BOB.html"},
      {u"Привет Anna", "card.html"},    // a name word of other letters
      {u"Dear Émile", "card.html"},     // É ends the name word, as on Windows
      {u"Hi Zoë", "ZO.html"},
      {u"\U0001F382 Ann", "card.html"},
      {u"Dear \"Ann\"", "ANN.html"},
      {u"", "card.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(NewCardPageName(c.message), c.name);
}

}  // namespace
}  // namespace card
