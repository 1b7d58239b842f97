// Gathering a card's files and assembling its web page (see web_page.h).
#include "tools/cardkit/web_page.h"

#include "card/card_files.h"
#include "card/card_folder.h"
#include "content/content_file_names.h"
#include "message/card_message.h"
#include "message/utf8_text.h"
#include "newcard/windows1252_codec.h"
#include "shell/visit_target.h"
#include "tools/cardkit/file_io.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

std::string Base64(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    const std::uint32_t group = bytes[i] << 16 | (left > 1 ? bytes[i + 1] << 8 : 0) |
                                (left > 2 ? bytes[i + 2] : 0);
    out += kDigits[group >> 18];
    out += kDigits[(group >> 12) & 63];
    out += left > 1 ? kDigits[(group >> 6) & 63] : '=';
    out += left > 2 ? kDigits[group & 63] : '=';
  }
  return out;
}

// msg.txt as the page holds it: the same form with its Windows-1252 text in UTF-8.
std::vector<std::uint8_t> PageMessageFile(const std::vector<std::uint8_t>& messageFile) {
  CardMessage message = DecodeMessage(messageFile);
  message.text = Utf8FromUtf16(Windows1252Codec().ToUtf16(message.text));
  return EncodeMessageFile(message);
}

std::string EscapeHtml(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// A file name as the page's attribute holds it: any byte but letters, digits and ._- as %XX,
// which the engine decodes, so names in any code page reach it unchanged.
std::string PercentEncoded(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '.' || c == '_' || c == '-') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

Result<std::string> ReadText(const fs::path& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return Failure{bytes.error()};
  return std::string(bytes->begin(), bytes->end());
}

// A script's text may not end its element early.
bool EndsScriptElement(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("</script") != std::string::npos || lower.find("<!--") != std::string::npos;
}

}  // namespace

Result<WebPageParts> ReadWebPageParts(const fs::path& assets, const fs::path& messageFont) {
  WebPageParts parts;
  const std::pair<const char*, std::string*> texts[] = {{"card.html", &parts.html},
                                                         {"card.css", &parts.style},
                                                         {"card.js", &parts.script},
                                                         {"card_engine.js", &parts.engine}};
  for (const auto& [name, text] : texts) {
    auto read = ReadText(assets / name);
    if (!read) return Failure{read.error()};
    *text = std::move(read).value();
  }
  auto font = ReadWholeFile(messageFont);
  if (!font) return Fail(font.error() + " The message font comes with fonts-comic-neue.");
  parts.messageFont = std::move(font).value();
  return parts;
}

Result<WebPageCard> GatherWebPageCard(const fs::path& folder) {
  auto layout = LoadLayout(folder.string());
  if (!layout) return Failure{layout.error()};
  WebPageCard card;
  card.title = Utf8FromUtf16(Windows1252Codec().ToUtf16(layout->title));
  // Every name once, by the name the card asks for; a name that is not in the folder is left
  // out, as the card goes on without it.
  std::map<std::string, std::string> wanted;
  const auto want = [&](std::string_view name) {
    if (wanted.count(std::string(name))) return;
    if (auto path = FindCardFile(folder.string(), name)) wanted[std::string(name)] = *path;
  };
  want(kLayoutFile);
  want(kFramesFile);
  want(kSoundsFile);
  if (layout->logo) want(layout->logo->fileName);
  for (const LayoutImage& image : layout->images) want(image.fileName);
  for (const LayoutHotSpot& spot : layout->hotSpots) {
    if (!spot.hoverImage.empty()) want(spot.hoverImage);
    want(spot.target);
  }
  want(kLocalVisitPage);
  for (const auto& [name, path] : wanted) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) continue;
    auto bytes = ReadWholeFile(path);
    if (!bytes) return Failure{bytes.error()};
    card.files.emplace_back(name, std::move(bytes).value());
  }
  if (auto message = FindCardFile(folder.string(), kMessageFile)) {
    auto bytes = ReadWholeFile(*message);
    if (!bytes) return Failure{bytes.error()};
    card.message = PageMessageFile(*bytes);
  }
  return card;
}

Result<std::string> AssembleWebPage(const WebPageParts& parts, const WebPageCard& card) {
  if (EndsScriptElement(parts.engine) || EndsScriptElement(parts.script)) {
    return Fail("The engine or the page's script holds \"</script\" or \"<!--\", which would "
                "end its element in the page.");
  }
  std::string files;
  for (const auto& [name, bytes] : card.files) {
    files += "<script type=\"application/octet-stream\" data-card-file=\"" +
             PercentEncoded(name) + "\">" + Base64(bytes) + "</script>\n";
  }
  const std::map<std::string, std::string> places = {
      {"TITLE", EscapeHtml(card.title)},   {"MESSAGE_FONT", Base64(parts.messageFont)},
      {"STYLE", parts.style},              {"MESSAGE", Base64(card.message)},
      {"FILES", files},                    {"MUSIC", Base64(card.music)},
      {"ENGINE", parts.engine},            {"SCRIPT", parts.script},
  };
  // One pass over the template, so nothing put in is read as a place again.
  std::string page;
  std::size_t at = 0;
  while (true) {
    const std::size_t open = parts.html.find("{{", at);
    if (open == std::string::npos) break;
    const std::size_t close = parts.html.find("}}", open);
    if (close == std::string::npos) break;
    const auto found = places.find(parts.html.substr(open + 2, close - open - 2));
    if (found == places.end()) return Fail("The page template has an unknown place.");
    page.append(parts.html, at, open - at);
    page += found->second;
    at = close + 2;
  }
  page.append(parts.html, at);
  return page;
}

}  // namespace card::kit
