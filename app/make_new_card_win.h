// "Make a New Card" on the card window: the new-message dialog, which makes the new card file
// and shows the result, and then the card showing the new message. Cancel changes nothing.
#pragma once

#include <string>

namespace card {

class CardDialog;

// `packagePath` is the program's first argument (UTF-8), the card package the new card is
// copied from; empty when there is none, and then no file is written.
void OnMakeNewCard(CardDialog& card, const std::string& packagePath);

}  // namespace card
