// The kinds of file a card may carry, told by the name's extension without regard to case: its
// own content files, and what a page it opens needs. Nothing else is ever carried, so no
// program, library, script or shortcut is written beside the card or opened by it.
#pragma once

#include <string>
#include <string_view>

namespace card {

enum class CardFileType {
  None,     // not a type a card may carry
  Content,  // Card.FAS, Card.WAS, card.mid
  Text,     // .txt: Layout.txt, msg.txt, or a text a hot spot opens
  Page,     // .htm, .html
  Style,    // .css, for a page
  Picture,  // .bmp, .png, .gif, .jpg
};

CardFileType CardFileTypeOf(std::string_view name);

// Whether a hot spot may open a file of this type: a page, a picture or a text.
bool MayOpen(CardFileType type);

// The media type a browser shows the file as ("text/html", "image/png"); empty for a type a
// hot spot may not open.
std::string_view MediaTypeOf(std::string_view name);

// The allowed extensions, for a message: ".txt, .fas, ..., .jpg".
std::string CarriedExtensions();

}  // namespace card
