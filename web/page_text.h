// Text between the card and its page: the card's single-byte Windows-1252 text with CR LF line
// breaks, the page's UTF-16 with LF line breaks.
#pragma once

#include <string>
#include <string_view>

namespace card {

// The card's text as the page shows it: each CR LF becomes one LF.
std::u16string PageText(std::string_view cardText);

// The page's text as the card keeps it: each LF becomes CR LF, and characters Windows-1252
// lacks become '?'.
std::string CardText(std::u16string_view pageText);

}  // namespace card
