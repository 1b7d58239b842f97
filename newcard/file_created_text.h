// What the result dialog says after "Make a New Card", and whether it offers to mail the file.
#pragma once

#include "newcard/new_card_file.h"

#include <string>

namespace card {

// The text of the result dialog's message, with CR LF line breaks: the file's path and that it
// was created, or that it was not written, or that the card could not be made and why.
std::string FileCreatedText(const NewCardFile& card);

// Only a file that now exists can be handed to the mail program.
bool OffersMail(const NewCardFile& card);

}  // namespace card
