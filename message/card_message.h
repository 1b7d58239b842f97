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
  std::string text;  // single-byte characters (UTF-8 in the web card), lines ending in CR LF, no NUL
  bool centred = false;
  friend bool operator==(const CardMessage&, const CardMessage&) = default;
};

// Decodes msg.txt (the whole file or at least its first `limit` bytes): the marker in the last
// two of the bytes used makes the message centred, and a NUL ends the text. The web card's page
// holds its message in UTF-8, which takes more bytes, so it passes a limit of its own.
CardMessage DecodeMessage(ByteView fileBytes, std::size_t limit = kMessageFileLimit);

// msg.txt: the text, then 0xFF 0xFF when centred.
std::vector<std::uint8_t> EncodeMessageFile(const CardMessage& message);

// The message area: msg.txt's bytes and a NUL.
std::vector<std::uint8_t> EncodeMessageArea(const CardMessage& message);

}  // namespace card
