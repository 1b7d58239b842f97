// Reads the card's message file (msg.txt in the current folder): at most its first 500 bytes,
// decoded by DecodeMessage. A missing or unreadable file gives an empty, left-aligned message.
#pragma once

#include "message/card_message.h"

#include <string>

namespace card {

CardMessage ReadMessageFile(const std::string& path = "msg.txt");

}  // namespace card
