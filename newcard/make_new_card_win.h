// "Make a New Card" on the card window: the new-message dialog, which makes the new card file
// and shows the result, and then the card showing the new message. Cancel changes nothing.
#pragma once

namespace card {

class CardDialog;

void OnMakeNewCard(CardDialog& card);

}  // namespace card
