// The look check: each rule reads the sources as the build converted them and says, in the
// author's terms, what the card will show instead of what was meant.
#include "tools/cardkit/look_checker.h"

#include "shell/card_window_layout.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace card::kit {
namespace {

const std::string kLayoutSource = "layout.txt";

std::string HexText(const Rgb& colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.r, colour.g, colour.b);
  return text;
}

std::string PixelPlace(int x, int y) {
  return "pixel " + std::to_string(x) + "," + std::to_string(y);
}

std::string LinePlace(int line) { return "line " + std::to_string(line); }

std::string RectText(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " to " + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

std::set<Rgb> OpaqueColours(const RgbaImage& image) {
  std::set<Rgb> colours;
  for (const Rgba& pixel : image.pixels) {
    if (!IsTransparent(pixel)) colours.insert(ColourOf(pixel));
  }
  return colours;
}

// Pixels that are neither fully opaque nor fully transparent lose their softness: the card
// draws each pixel either wholly or not at all.
void CheckHalfTransparency(const std::string& file, const RgbaImage& image, Diagnostics& out) {
  int count = 0;
  int firstX = 0, firstY = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t alpha = image.At(x, y).a;
      if (alpha == 0 || alpha == 255) continue;
      if (count++ == 0) firstX = x, firstY = y;
    }
  }
  if (count == 0) return;
  out.Warning(file, PixelPlace(firstX, firstY),
              std::to_string(count) +
                  " pixels are half-transparent; the card draws those with alpha 128 or more "
                  "fully opaque and the others not at all, so soft edges turn hard.");
}

bool HasTransparentPixel(const RgbaImage& image) {
  return std::any_of(image.pixels.begin(), image.pixels.end(), IsTransparent);
}

void CheckGroupColours(const FrameGroup& group, Diagnostics& out) {
  std::set<Rgb> all;
  std::string perFrame;
  for (const FrameSource& frame : group.frames) {
    const std::set<Rgb> colours = OpaqueColours(frame.image);
    all.insert(colours.begin(), colours.end());
    if (colours.size() > static_cast<std::size_t>(kFrameColours)) {
      const std::string file = frame.name.substr(frame.name.rfind('/') + 1);
      perFrame += (perFrame.empty() ? "" : ", ") + file + " " + std::to_string(colours.size());
    }
  }
  if (all.size() <= static_cast<std::size_t>(kFrameColours)) return;
  std::string text = "its frames use " + std::to_string(all.size()) +
                     " colours together, but a group's palette holds " +
                     std::to_string(kFrameColours) +
                     ", so the figure is drawn in the nearest of those and looks recoloured";
  text += perFrame.empty() ? " (no frame has more than " + std::to_string(kFrameColours) +
                                 " alone: a group of its own per frame would keep them)."
                           : "; frames with more than " + std::to_string(kFrameColours) +
                                 " colours alone: " + perFrame + ".";
  out.Warning("frames/" + group.name, "", text);
}

// Pixels of the transparent colour that the picture's edge does not reach through pixels of
// that colour: inside the picture, where the author may have meant the colour itself.
std::vector<std::size_t> EnclosedKeyPixels(const RgbaImage& image) {
  const Rgb key = ColourOf(image.At(0, 0));
  const auto isKey = [&](int x, int y) { return ColourOf(image.At(x, y)) == key; };
  std::vector<bool> reached(image.pixels.size(), false);
  std::vector<std::pair<int, int>> pending;
  const auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    const std::size_t i = static_cast<std::size_t>(y) * image.width + x;
    if (reached[i] || !isKey(x, y)) return;
    reached[i] = true;
    pending.emplace_back(x, y);
  };
  for (int x = 0; x < image.width; ++x) visit(x, 0), visit(x, image.height - 1);
  for (int y = 0; y < image.height; ++y) visit(0, y), visit(image.width - 1, y);
  while (!pending.empty()) {
    const auto [x, y] = pending.back();
    pending.pop_back();
    visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
  }
  std::vector<std::size_t> enclosed;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * image.width + x;
      if (!reached[i] && isKey(x, y)) enclosed.push_back(i);
    }
  }
  return enclosed;
}

// `under` is the colour the card draws beneath the picture: where the transparent colour is
// that one, nobody can tell.
void CheckEnclosedKey(const SourcePicture& picture, const Rgb& under, Diagnostics& out) {
  const RgbaImage& image = picture.image;
  // With transparent pixels the bitmap gets a key colour of its own; only an opaque picture's
  // top-left colour is taken as the transparent one.
  if (image.pixels.empty() || HasTransparentPixel(image)) return;
  if (ColourOf(image.At(0, 0)) == under) return;
  const std::vector<std::size_t> enclosed = EnclosedKeyPixels(image);
  if (enclosed.empty()) return;
  const int x = static_cast<int>(enclosed.front() % image.width);
  const int y = static_cast<int>(enclosed.front() / image.width);
  out.Warning(picture.file, PixelPlace(x, y),
              std::to_string(enclosed.size()) + " pixels inside the picture have its top-left "
              "colour " + HexText(ColourOf(image.At(0, 0))) +
                  ", which the card draws transparent; give them a slightly different colour, "
                  "or make the picture's background transparent in the PNG.");
}

const SourcePicture* PictureFor(const std::vector<SourcePicture>& pictures,
                                const std::string& bitmap) {
  for (const SourcePicture& picture : pictures) {
    if (picture.bitmap == bitmap) return &picture;
  }
  return nullptr;
}

Rect PlacedRect(const LayoutImage& image, const SourcePicture& picture) {
  return {image.x, image.y, image.x + picture.image.width, image.y + picture.image.height};
}

// The buttons: the first four controls of the card window.
std::vector<Rect> ButtonRects() {
  std::vector<Rect> buttons;
  for (int id : {kRepeatButtonId, kNewCardButtonId, kVisitButtonId, kCloseButtonId}) {
    buttons.push_back(*CardControlRect(id));
  }
  return buttons;
}

bool OverlapsAButton(const Rect& rect) {
  const std::vector<Rect> buttons = ButtonRects();
  return std::any_of(buttons.begin(), buttons.end(),
                     [&](const Rect& button) { return !Intersect(rect, button).IsEmpty(); });
}

void CheckPicturePlaces(const LayoutFile& source, const std::vector<SourcePicture>& pictures,
                        Diagnostics& out) {
  const Rect card{0, 0, kCardClientWidth, kCardClientHeight};
  for (std::size_t i = 0; i < source.images.size(); ++i) {
    const LayoutImage& image = source.images[i];
    const SourcePicture* picture = PictureFor(pictures, image.fileName);
    if (!picture) continue;
    const Rect rect = PlacedRect(image, *picture);
    const std::string place = LinePlace(source.lines.images[i]);
    const bool background = image.x == 0 && image.y == 0;
    if (background && (rect.right < card.right || rect.bottom < card.bottom)) {
      out.Warning(kLayoutSource, place,
                  image.fileName + " at 0,0 is " + std::to_string(rect.Width()) + " x " +
                      std::to_string(rect.Height()) + " pixels, but the card is " +
                      std::to_string(card.Width()) + " x " + std::to_string(card.Height()) +
                      ", so it fills only the top-left corner; the background colour shows "
                      "in the rest.");
    } else if (!background && OverlapsAButton(rect)) {
      out.Warning(kLayoutSource, place,
                  image.fileName + " (" + RectText(rect) +
                      ") reaches under the buttons, which hide that part of it.");
    }
  }
}

void CheckHotSpotPlaces(const LayoutFile& source, const MessagePlace& message,
                        Diagnostics& out) {
  const Rect messageRect =
      *CardControlRect(message.centred ? kCentredMessageId : kLeftMessageId);
  for (std::size_t i = 0; i < source.hotSpots.size(); ++i) {
    const Rect& rect = source.hotSpots[i].rect;
    const std::string place = LinePlace(source.lines.hotSpots[i].rect);
    const std::string which = "hot spot " + std::to_string(i + 1) + " (" + RectText(rect) + ")";
    if (OverlapsAButton(rect)) {
      out.Warning(kLayoutSource, place,
                  which + " reaches under the buttons, where clicks go to the buttons.");
    }
    if (message.present && !Intersect(rect, messageRect).IsEmpty()) {
      out.Warning(kLayoutSource, place,
                  which + " lies under the message's area (" + RectText(messageRect) +
                      "); the message is drawn over it and takes its clicks there.");
    }
  }
}

// On a display of 256 colours the card shows only its palette's colours.
void CheckPaletteCovers(const LayoutFile& source, const std::vector<SourcePicture>& pictures,
                        Diagnostics& out) {
  const std::vector<std::uint32_t>& entries = source.palette;
  if (entries.empty()) return;
  std::set<Rgb> palette;
  for (std::uint32_t entry : entries) palette.insert(RgbOf(entry));
  for (const SourcePicture& picture : pictures) {
    std::set<Rgb> missing = OpaqueColours(picture.image);
    if (!HasTransparentPixel(picture.image) && !picture.image.pixels.empty()) {
      missing.erase(ColourOf(picture.image.At(0, 0)));  // the transparent colour
    }
    std::erase_if(missing, [&](const Rgb& colour) { return palette.contains(colour); });
    if (missing.empty()) continue;
    std::string examples;
    for (const Rgb& colour : missing) {
      if (examples.size() > 30) break;
      examples += (examples.empty() ? "" : ", ") + HexText(colour);
    }
    out.Warning(kLayoutSource, LinePlace(source.lines.palette.front()),
                picture.file + " uses " + std::to_string(missing.size()) +
                    (missing.size() == 1 ? " colour" : " colours") + " the palette lacks (" +
                    examples + (missing.size() > 4 ? ", ..." : "") +
                    "); on a display of 256 colours they are shown as the nearest palette "
                    "colour.");
  }
}

}  // namespace

void CheckFrameLooks(const std::vector<FrameGroup>& groups, Diagnostics& out) {
  for (const FrameGroup& group : groups) {
    CheckGroupColours(group, out);
    for (const FrameSource& frame : group.frames) {
      if (!HasTransparentPixel(frame.image)) {
        out.Warning(frame.name, "",
                    "no pixel is transparent (the PNG has no alpha channel, or every pixel is "
                    "opaque), so the figure is drawn inside a box of its background.");
      }
      CheckHalfTransparency(frame.name, frame.image, out);
    }
  }
}

void CheckPictureLooks(const std::vector<SourcePicture>& pictures, const LayoutFile* layout,
                       Diagnostics& out) {
  for (const SourcePicture& picture : pictures) {
    CheckHalfTransparency(picture.file, picture.image, out);
    if (!layout) continue;
    // The logo lies on the button face; everything else on the card's background.
    const bool logo = layout->logo && layout->logo->fileName == picture.bitmap;
    const LayoutColours& colours = layout->colours;
    CheckEnclosedKey(picture, RgbOf(logo ? colours.buttonFace : colours.background), out);
  }
}

void CheckLayoutLooks(const LayoutFile& layout, const std::vector<SourcePicture>& pictures,
                      const MessagePlace& message, Diagnostics& out) {
  CheckPicturePlaces(layout, pictures, out);
  CheckHotSpotPlaces(layout, message, out);
  CheckPaletteCovers(layout, pictures, out);
}

}  // namespace card::kit
