// Reads a card's message file: at most its first 500 bytes, decoded by DecodeMessage. A missing
// or unreadable file gives an empty, left-aligned message.
#pragma once

#include "message/card_message.h"

#include <string>

namespace card {

CardMessage ReadMessageFile(const std::string& path);

}  // namespace card
