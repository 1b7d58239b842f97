// What a card message may hold: the card window shows seven lines, and the message area of a
// card package has room for 487 characters (a line break counts as two).
#pragma once

#include "common/byte_reader.h"
#include "message/card_message.h"
#include "newcard/new_card_file.h"

#include <cstddef>
#include <string>
#include <vector>

namespace card::kit {

// One sentence per limit the message passes; empty when it fits.
std::vector<std::string> MessageLimitProblems(const CardMessage& message);

// One sentence per rule the bytes of a msg.txt break: the file's size, then the limits of the
// message it holds; empty when the card can show it.
std::vector<std::string> MessageFileProblems(ByteView bytes);

}  // namespace card::kit
