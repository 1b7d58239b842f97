// The bytes of a card message. msg.txt holds the text, then 0xFF 0xFF when the message is
// centred; a card package's message area holds the same bytes followed by a NUL.
#pragma once

#include "common/byte_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace card {

// Only this many bytes of msg.txt count; a centring marker further on is not seen.
constexpr std::size_t kMessageFileLimit = 500;

struct CardMessage {
  std::string text;  // single-byte characters, lines ending in CR LF, no NUL
  bool centred = false;
  friend bool operator==(const CardMessage&, const CardMessage&) = default;
};

// Decodes msg.txt (the whole file or at least its first kMessageFileLimit bytes): the marker
// in the last two of the bytes used makes the message centred, and a NUL ends the text.
CardMessage DecodeMessage(ByteView fileBytes);

// msg.txt: the text, then 0xFF 0xFF when centred.
std::vector<std::uint8_t> EncodeMessageFile(const CardMessage& message);

// The message area: msg.txt's bytes and a NUL.
std::vector<std::uint8_t> EncodeMessageArea(const CardMessage& message);

}  // namespace card
