// The web card's UTF-8 message (see page_message.h).
#include "web/page_message.h"

#include "message/utf8_text.h"
#include "newcard/card_file_name.h"
#include "web/page_text.h"

#include <algorithm>

namespace card {
namespace {

// UTF-8 for the card file naming. The name word is made of A-Z and 0-9 alone, so only ASCII
// letters need upper-casing.
class Utf8Codec final : public TextCodec {
 public:
  std::u16string ToUtf16(std::string_view text) const override { return Utf16FromUtf8(text); }
  std::string FromUtf16(std::u16string_view text) const override { return Utf8FromUtf16(text); }
  std::string ToUpper(std::string_view text) const override {
    std::string upper(text);
    for (char& c : upper) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
  }
};

}  // namespace

CardMessage DecodePageMessage(ByteView fileBytes) {
  return DecodeMessage(fileBytes, kPageMessageFileLimit);
}

std::u16string PageMessageText(std::string_view messageText) {
  return WithoutCarriageReturns(Utf16FromUtf8(messageText));
}

std::string MessageText(std::u16string_view pageText) {
  std::u16string withReturns;
  withReturns.reserve(pageText.size());
  for (char16_t c : pageText) {
    if (c == u'\n') withReturns.push_back(u'\r');
    withReturns.push_back(c);
  }
  return Utf8FromUtf16(withReturns);
}

bool FitsNewMessage(std::u16string_view pageText) {
  const auto breaks = static_cast<std::size_t>(std::count(pageText.begin(), pageText.end(), u'\n'));
  return CodePointCount(pageText) <= kMaxNewMessageLength && breaks < kMaxNewMessageLines;
}

std::string NewCardPageName(std::u16string_view pageText) {
  return MakeCardFileName(MessageText(pageText), "", Utf8Codec(),
                          [](const std::string&) { return false; }, ".html");
}

}  // namespace card
