// The result dialog's text for each outcome of making a card, and when it offers mail.
#include "newcard/file_created_text.h"

#include <gtest/gtest.h>

namespace card {
namespace {

TEST(FileCreatedText, NamesTheFileAndTellsTheOutcome) {
  using Outcome = NewCardFile::Outcome;
  const struct {
    NewCardFile card;
    const char* text;
    bool offersMail;
  } cases[] = {
      {{Outcome::kCreated, "C:\\cards\\ANNA.EXE", ""},
       "The file \"C:\\cards\\ANNA.EXE\"\r\nhas been created for you.\r\n\r\n"
       "You can send it to your friend as an e-mail attachment.",
       true},
      {{Outcome::kNotWritten, "ANNA.EXE", ""},
       "The file \"ANNA.EXE\"\r\nwas not written: this card was started without a card package "
       "to copy, so no new card file can be made.",
       false},
      {{Outcome::kFailed, "C:\\cards\\card.EXE", "The disk is full."},
       "The new card \"C:\\cards\\card.EXE\"\r\ncould not be made.\r\n\r\nThe disk is full.",
       false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileCreatedText(c.card), c.text);
    EXPECT_EQ(OffersMail(c.card), c.offersMail) << c.text;
  }
}

}  // namespace
}  // namespace card
