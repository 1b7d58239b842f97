// `cardkit web`: a card folder as one self-contained HTML page. The page carries the card's
// content files as they are (base64, each in an element of its own under the name the card
// uses for it), its message in an element of its own, in UTF-8 (so a new card is the same page
// with that element replaced, in any language), the tune as MP3, the message font, the engine and the page's script and
// style. Opened, it needs nothing else: no request leaves the page.
#pragma once

#include "common/result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace card::kit {

// What every page shares: the template with its {{PLACES}}, the style and script of the page,
// the engine compiled to JavaScript and the message font.
struct WebPageParts {
  std::string html;
  std::string style;
  std::string script;
  std::string engine;
  std::vector<std::uint8_t> messageFont;  // an OpenType file
};

// The files of the page's folder: card.html, card.css, card.js and card_engine.js.
Result<WebPageParts> ReadWebPageParts(const std::filesystem::path& assets,
                                      const std::filesystem::path& messageFont);

// What one card puts in its page.
struct WebPageCard {
  std::string title;  // UTF-8
  // By the names the card uses for them: Layout.txt, Card.FAS, Card.WAS, the bitmaps as
  // Layout.txt names them, and the pages its hot spots and "Visit Us" open.
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
  std::vector<std::uint8_t> message;  // msg.txt, its text in UTF-8
  std::vector<std::uint8_t> music;    // MP3; empty for none
};

// The files of the built card folder that the page needs; `music` is left empty.
Result<WebPageCard> GatherWebPageCard(const std::filesystem::path& folder);

// The page's text. Fails when a part would end the element that holds it.
Result<std::string> AssembleWebPage(const WebPageParts& parts, const WebPageCard& card);

}  // namespace card::kit
