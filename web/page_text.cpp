// Conversions between the card's text and the page's (see page_text.h).
#include "web/page_text.h"

#include "newcard/windows1252_codec.h"

namespace card {

std::u16string WithoutCarriageReturns(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

std::u16string PageText(std::string_view cardText) {
  return WithoutCarriageReturns(Windows1252Codec().ToUtf16(cardText));
}

}  // namespace card
