// Text between the card and its page: the card's single-byte Windows-1252 text (its title, a
// script's messages, targets) with CR LF line breaks, the page's UTF-16 with LF line breaks.
// The message is the page's own, in UTF-8 (see page_message.h).
#pragma once

#include <string>
#include <string_view>

namespace card {

// The card's text as the page shows it: each CR LF becomes one LF.
std::u16string PageText(std::string_view cardText);

// Each CR LF of `text` as one LF.
std::u16string WithoutCarriageReturns(std::u16string_view text);

}  // namespace card
