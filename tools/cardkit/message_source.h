// Turns message.txt, the message as an author writes it (UTF-8, any line ends, an optional
// first line "@centred"), into the bytes of the card's msg.txt: Windows-1252 text with CR LF
// line ends, followed by 0xFF 0xFF when the message is centred.
#pragma once

#include "common/result.h"

#include <string>
#include <string_view>

namespace card::kit {

inline constexpr std::string_view kCentredDirective = "@centred";

// Line ends at the end of the file are dropped. Fails, naming the line and column, on a
// character the card cannot show, a NUL, or text ending in "ÿÿ" (which would read as the
// centring marker).
Result<std::string> MessageFileBytes(std::string_view utf8);

}  // namespace card::kit
