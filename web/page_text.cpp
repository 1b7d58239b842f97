// Conversions between the card's text and the page's (see page_text.h).
#include "web/page_text.h"

#include "newcard/windows1252_codec.h"

namespace card {

std::u16string PageText(std::string_view cardText) {
  const std::u16string wide = Windows1252Codec().ToUtf16(cardText);
  std::u16string text;
  text.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == u'\r' && i + 1 < wide.size() && wide[i + 1] == u'\n') continue;
    text.push_back(wide[i]);
  }
  return text;
}

std::string CardText(std::u16string_view pageText) {
  std::u16string wide;
  wide.reserve(pageText.size());
  for (char16_t c : pageText) {
    if (c == u'\n') wide.push_back(u'\r');
    wide.push_back(c);
  }
  return Windows1252Codec().FromUtf16(wide);
}

}  // namespace card
