// Painting the card window's client area in the card's order: background, pictures, message,
// buttons, then the hot-spot outlines on top.
#include "tools/cardkit/card_window_preview.h"

#include "animation/image/bitmap_picture.h"
#include "card/card_files.h"
#include "shell/button_geometry.h"
#include "shell/card_window_layout.h"
#include "tools/cardkit/file_io.h"
#include "tools/cardkit/text_drawing.h"

#include <string>
#include <string_view>
#include <vector>

namespace card::kit {
namespace {

constexpr const char* kMessageFont = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf";
constexpr const char* kCaptionFont =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
constexpr int kMessagePixels = 20;  // the message font's height, as the card asks for it
constexpr int kCaptionPixels = 18;
constexpr int kMessageMargin = 5;  // the message edits' left and right margins
constexpr int kMessageLineHeight = 27;
// The edit draws its first line this much higher than the edit's top and the font's ascent
// would put it (measured on card.exe's window).
constexpr int kMessageFirstLine = -6;

// The buttons' captions, as the card window's dialog template gives them.
struct Caption {
  int id;
  const char* text;
};
constexpr Caption kCaptions[] = {{kRepeatButtonId, "Repeat"},
                                 {kNewCardButtonId, "Make a New Card"},
                                 {kVisitButtonId, "Visit Us"},
                                 {kCloseButtonId, "Close"}};

void FillRect(RgbImage& picture, const Rect& rect, Rgb colour) {
  for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, picture.height); ++y) {
    for (int x = std::max(rect.left, 0); x < std::min(rect.right, picture.width); ++x) {
      picture.At(x, y) = colour;
    }
  }
}

// Draws the bitmap `name` of the card folder at (x, y), clipped to `clip`; its transparent
// pixels leave what is under them.
Status DrawBitmap(RgbImage& picture, const std::filesystem::path& folder, const std::string& name,
                  Point at, const Rect& clip) {
  const auto path = FindCardFile(folder.string(), name);
  if (!path) return Fail(name + ": the layout names it, but the card folder lacks it.");
  auto bytes = ReadWholeFile(*path);
  if (!bytes) return Fail(bytes.error());
  auto decoded = DecodeBitmapPicture(*bytes);
  if (!decoded) return Fail(name + ": " + decoded.error());
  for (int y = 0; y < decoded->height; ++y) {
    for (int x = 0; x < decoded->width; ++x) {
      const Point p{at.x + x, at.y + y};
      const std::size_t index = static_cast<std::size_t>(y) * decoded->width + x;
      const std::uint8_t* rgba = &decoded->rgba[index * 4];
      if (rgba[3] == 0 || !clip.Contains(p) || p.x >= picture.width || p.y >= picture.height) {
        continue;
      }
      picture.At(p.x, p.y) = {rgba[0], rgba[1], rgba[2]};
    }
  }
  return {};
}

// The message's lines as the edit wraps them: at its line breaks, and between words where a
// line would be wider than the edit.
std::vector<std::string> WrappedLines(std::string_view text, const TextFace& font, int width) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", from);
    const std::string_view paragraph = text.substr(from, end - from);
    std::string line;
    std::size_t at = 0;
    while (at <= paragraph.size()) {
      std::size_t space = paragraph.find(' ', at);
      if (space == std::string_view::npos) space = paragraph.size();
      const std::string word(paragraph.substr(at, space - at));
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && font.Width(longer) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = longer;
      }
      at = space + 1;
    }
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    from = end + 2;
  }
  return lines;
}

void DrawMessage(RgbImage& picture, const CardFolder& card, const TextFace& font) {
  const CardMessage& message = card.message;
  const Rect area = *CardControlRect(message.centred ? kCentredMessageId : kLeftMessageId);
  const int width = area.Width() - 2 * kMessageMargin;
  const Rgb text = RgbOf(card.layout.colours.messageText);
  const Rgb shadow = RgbOf(card.layout.colours.messageShadow);
  int y = area.top + kMessageFirstLine;
  for (const std::string& line : WrappedLines(message.text, font, width)) {
    if (y + kMessageLineHeight > area.bottom) break;
    const int x = area.left + kMessageMargin +
                  (message.centred ? (width - font.Width(line)) / 2 : 0);
    font.Draw(picture, x + 1, y + 1, line, shadow);
    font.Draw(picture, x, y, line, text);
    y += kMessageLineHeight;
  }
}

Status DrawButtons(RgbImage& picture, const CardFolder& card, const std::filesystem::path& folder,
                   const TextFace& font) {
  const LayoutColours& colours = card.layout.colours;
  for (const Caption& caption : kCaptions) {
    const Rect item = *CardControlRect(caption.id);
    for (const ButtonFill& fill : ButtonFills(item, false)) {
      const Rgb colour = fill.paint == ButtonPaint::Frame      ? kButtonFrame
                         : fill.paint == ButtonPaint::Face     ? RgbOf(colours.buttonFace)
                         : fill.paint == ButtonPaint::LightEdge ? kButtonLight
                                                                : kButtonDark;
      FillRect(picture, fill.rect, colour);
    }
    int decoration = 0;
    if (caption.id == kVisitButtonId) {
      decoration = kLogoStripWidth;
      if (const auto& logo = card.layout.logo) {
        const Point at{item.left + logo->x, item.top + logo->y};
        if (Status drawn = DrawBitmap(picture, folder, logo->fileName, at, item); !drawn) {
          return drawn;
        }
      }
    }
    const Point at = CaptionPosition(item, 0, decoration, font.Width(caption.text), font.Height());
    font.Draw(picture, at.x, at.y, caption.text, RgbOf(colours.buttonTextShadow));
    font.Draw(picture, at.x - 1, at.y - 1, caption.text, RgbOf(colours.buttonText));
  }
  return {};
}

// Each pixel of the rectangle's edge inverted, so the outline shows on any picture.
void OutlineRect(RgbImage& picture, const Rect& rect) {
  const auto invert = [&picture](int x, int y) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
    Rgb& pixel = picture.At(x, y);
    pixel = {static_cast<std::uint8_t>(255 - pixel.r), static_cast<std::uint8_t>(255 - pixel.g),
             static_cast<std::uint8_t>(255 - pixel.b)};
  };
  for (int x = rect.left; x < rect.right; ++x) invert(x, rect.top), invert(x, rect.bottom - 1);
  for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
    invert(rect.left, y), invert(rect.right - 1, y);
  }
}

}  // namespace

Result<RgbImage> RenderCardWindow(const CardFolder& card, const std::filesystem::path& folder) {
  auto messageFont = TextFace::Open(kMessageFont, kMessagePixels);
  if (!messageFont) return Fail(messageFont.error());
  auto captionFont = TextFace::Open(kCaptionFont, kCaptionPixels);
  if (!captionFont) return Fail(captionFont.error());

  const Rect client{0, 0, kCardClientWidth, kCardClientHeight};
  RgbImage picture{client.right, client.bottom,
                   std::vector<Rgb>(static_cast<std::size_t>(client.right) * client.bottom,
                                    RgbOf(card.layout.colours.background))};
  // The card shows its pictures only when its layout has a logo.
  if (card.layout.logo) {
    for (const LayoutImage& image : card.layout.images) {
      if (Status drawn = DrawBitmap(picture, folder, image.fileName, {image.x, image.y}, client);
          !drawn) {
        return Fail(drawn.error());
      }
    }
  }
  DrawMessage(picture, card, **messageFont);
  if (Status drawn = DrawButtons(picture, card, folder, **captionFont); !drawn) {
    return Fail(drawn.error());
  }
  for (const LayoutHotSpot& spot : card.layout.hotSpots) OutlineRect(picture, spot.rect);
  return picture;
}

}  // namespace card::kit
