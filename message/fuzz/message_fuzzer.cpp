// Feeds arbitrary msg.txt bytes to the decoder and checks what the card relies on: the text
// stays within the bytes used and holds no NUL, and a decoded message, encoded again as a
// message area without its NUL, decodes to itself.
#include "message/card_message.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const card::CardMessage message = card::DecodeMessage(card::ByteView(data, size));
  if (message.text.size() > card::kMessageFileLimit) std::abort();
  if (message.text.find('\0') != std::string::npos) std::abort();

  // A left-aligned text that ends in the marker bytes would read back as centred.
  const bool endsLikeMarker = message.text.ends_with("\xFF\xFF");
  if (message.centred || !endsLikeMarker) {
    std::vector<std::uint8_t> area = card::EncodeMessageArea(message);
    area.pop_back();
    if (!(card::DecodeMessage(area) == message)) std::abort();
  }
  return 0;
}
