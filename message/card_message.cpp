// Decoding msg.txt and encoding the message area of a card package.
#include "message/card_message.h"

#include <algorithm>

namespace card {

namespace {
constexpr std::uint8_t kCentringByte = 0xFF;
}

CardMessage DecodeMessage(ByteView fileBytes, std::size_t limit) {
  ByteView used = fileBytes.first(std::min(fileBytes.size(), limit));
  CardMessage message;
  const std::size_t n = used.size();
  if (n >= 2 && used[n - 1] == kCentringByte && used[n - 2] == kCentringByte) {
    message.centred = true;
    used = used.first(n - 2);
  }
  const auto nul = std::find(used.begin(), used.end(), std::uint8_t{0});
  message.text.assign(used.begin(), nul);
  return message;
}

std::vector<std::uint8_t> EncodeMessageFile(const CardMessage& message) {
  std::vector<std::uint8_t> file(message.text.begin(), message.text.end());
  if (message.centred) file.insert(file.end(), {kCentringByte, kCentringByte});
  return file;
}

std::vector<std::uint8_t> EncodeMessageArea(const CardMessage& message) {
  std::vector<std::uint8_t> area = EncodeMessageFile(message);
  area.push_back(0);
  return area;
}

}  // namespace card
