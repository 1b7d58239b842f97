// The web card's message. A page holds it in msg.txt's form (the text with CR LF line breaks,
// then 0xFF 0xFF when centred) with the text in UTF-8, so that a message may be in any
// language: cardkit web converts a card folder's Windows-1252 msg.txt, and a new card is
// written so. UTF-8 never holds the byte 0xFF, so the centring marker stays unambiguous.
#pragma once

#include "common/byte_reader.h"
#include "message/card_message.h"
#include "newcard/new_card_file.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace card {

// How many bytes of a page's msg.txt count: enough for the longest new message in UTF-8 (four
// bytes a character at most) and its marker.
constexpr std::size_t kPageMessageFileLimit = 4 * kMaxNewMessageLength + 2;

// The message of a page's msg.txt; its text is UTF-8.
CardMessage DecodePageMessage(ByteView fileBytes);

// The page's text (UTF-16, LF line breaks) and the message's (UTF-8, CR LF), both ways.
std::u16string PageMessageText(std::string_view messageText);
std::string MessageText(std::u16string_view pageText);

// Whether the new-message dialog takes `pageText`: within both limits, its characters counted
// as a person counts them (code points, a line break one).
bool FitsNewMessage(std::u16string_view pageText);

// The new card's file name: named after the message by the card file naming rules, as a new
// card file is, with ".html". Letters other than A-Z end the name word, as they do on Windows.
std::string NewCardPageName(std::u16string_view pageText);

}  // namespace card
