// The result dialog's words for each outcome of making a new card file.
#include "newcard/file_created_text.h"

namespace card {

std::string FileCreatedText(const NewCardFile& card) {
  switch (card.outcome) {
    case NewCardFile::Outcome::kCreated:
      return "The file \"" + card.path +
             "\"\r\nhas been created for you.\r\n\r\nYou can send it to your friend as an e-mail "
             "attachment.";
    case NewCardFile::Outcome::kNotWritten:
      return "The file \"" + card.path +
             "\"\r\nwas not written: this card was started without a card package to copy, "
             "so no new card file can be made.";
    case NewCardFile::Outcome::kFailed:
      break;
  }
  return "The new card \"" + card.path + "\"\r\ncould not be made.\r\n\r\n" + card.reason;
}

bool OffersMail(const NewCardFile& card) {
  return card.outcome == NewCardFile::Outcome::kCreated;
}

}  // namespace card
