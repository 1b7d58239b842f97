// The engine's entry points, called by the page's script. The page hands over the card's
// files, then drives one WebCard: a tick at a time while the figure plays, and with the pointer
// over the card window. Text goes both ways as NUL-terminated UTF-16; numbers that come in
// groups (rectangles, copies, fills) are written to an array the page passes. Strings returned
// stay valid until the next call that returns one.
#include "message/utf8_text.h"
#include "shell/button_geometry.h"
#include "shell/card_window_layout.h"
#include "web/clip_samples.h"
#include "web/page_message.h"
#include "web/page_text.h"
#include "web/web_card.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

using card::WebCard;

// The one card of the page.
WebCard& TheCard() {
  static WebCard card;
  return card;
}

const char16_t* Returned(std::u16string text) {
  static std::u16string last;
  last = std::move(text);
  return last.c_str();
}

const char16_t* ReturnedCardText(std::string_view text) { return Returned(card::PageText(text)); }

std::string error;
std::vector<float> soundSamples;
std::vector<std::uint8_t> messageFile;
WebCard::Target target;

// File names arrive percent-encoded, so any byte of a card's names survives the page.
std::string DecodeName(const char* encoded) {
  std::string name;
  for (const char* c = encoded; *c; ++c) {
    const auto hex = [](char h) { return h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10; };
    if (*c == '%' && c[1] && c[2]) {
      name.push_back(static_cast<char>(hex(c[1]) * 16 + hex(c[2])));
      c += 2;
    } else {
      name.push_back(*c);
    }
  }
  return name;
}

void PutRect(const card::Rect& r, std::int32_t* out) {
  out[0] = r.left;
  out[1] = r.top;
  out[2] = r.right;
  out[3] = r.bottom;
}

// A copy as 7 numbers: image, source x and y, width, height, x and y on the surface.
void PutCopy(const card::PaintCopy& copy, std::int32_t* out) {
  const std::int32_t values[] = {copy.image, copy.source.x, copy.source.y, copy.width,
                                 copy.height, copy.at.x,    copy.at.y};
  for (std::int32_t v : values) *out++ = v;
}

int OpenTarget(WebCard::Target chosen) {
  target = std::move(chosen);
  switch (target.kind) {
    case card::CardTarget::Kind::CardFile: return 1;
    case card::CardTarget::Kind::Address: return 2;
    case card::CardTarget::Kind::Nothing: break;
  }
  return 0;
}

}  // namespace

extern "C" {

// --- the card's files ---

EMSCRIPTEN_KEEPALIVE void card_add_file(const char* name, const std::uint8_t* bytes, int size) {
  TheCard().AddFile(DecodeName(name), std::vector<std::uint8_t>(bytes, bytes + size));
}

// 1 when the card opened; else card_error says why.
EMSCRIPTEN_KEEPALIVE int card_open() {
  const card::Status status = TheCard().Open();
  error = status.error();
  return status.ok() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char16_t* card_error() { return ReturnedCardText(error); }

// --- what the layout says ---

EMSCRIPTEN_KEEPALIVE const char16_t* card_title() {
  return ReturnedCardText(TheCard().Layout().title);
}

// 0 sound effects on, 1 music on, 2 music repeats.
EMSCRIPTEN_KEEPALIVE int card_setting(int which) {
  const card::LayoutSettings& s = TheCard().Layout().settings;
  const std::int32_t values[] = {s.soundEffectsOn, s.musicOn, s.musicRepeats};
  return which >= 0 && which < 3 && values[which] != 0 ? 1 : 0;
}

// 0x00BBGGRR of background, message text, message shadow, button face, caption, caption shadow.
EMSCRIPTEN_KEEPALIVE std::uint32_t card_colour(int which) {
  const card::LayoutColours& c = TheCard().Layout().colours;
  const std::uint32_t values[] = {c.background, c.messageText,     c.messageShadow,
                                  c.buttonFace, c.buttonText, c.buttonTextShadow};
  return which >= 0 && which < 6 ? values[which] & 0x00FFFFFF : 0;
}

// --- the figure's frames, decoded once ---

EMSCRIPTEN_KEEPALIVE int card_frame_width() { return TheCard().Frames().Width(); }
EMSCRIPTEN_KEEPALIVE int card_frame_height() { return TheCard().Frames().Height(); }
EMSCRIPTEN_KEEPALIVE int card_frame_count() {
  return static_cast<int>(TheCard().Frames().FrameCount());
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* card_frame_rgba(int index) {
  return TheCard().Frame(static_cast<std::uint32_t>(index)).rgba.data();
}

// --- playing ---

EMSCRIPTEN_KEEPALIVE void card_start() { TheCard().Start(); }

// Ends the run now, as the end of the script does.
EMSCRIPTEN_KEEPALIVE void card_skip() { TheCard().Skip(); }

// One tick. Bits of the result: 1 the run goes on, 2 a frame is to be shown (card_figure_*),
// 4 a sound is to be started (card_sound_*), 8 a message is to be shown (card_message_box).
EMSCRIPTEN_KEEPALIVE int card_step(int nowTenths, int workWidth, int workHeight) {
  WebCard& c = TheCard();
  const bool goesOn = c.Step(nowTenths, card::Rect{0, 0, workWidth, workHeight});
  const card::BrowserHost& host = c.Host();
  soundSamples.clear();
  if (host.SoundToStart()) soundSamples = card::ClipSamples(*host.SoundToStart());
  return (goesOn ? 1 : 0) | (host.FrameToShow() ? 2 : 0) | (host.SoundToStart() ? 4 : 0) |
         (host.MessageToShow() ? 8 : 0);
}

EMSCRIPTEN_KEEPALIVE int card_figure_frame() {
  const auto& frame = TheCard().Host().FrameToShow();
  return frame ? static_cast<int>(frame->index) : 0;
}
EMSCRIPTEN_KEEPALIVE int card_figure_x() { return TheCard().Host().FigureAt().x; }
EMSCRIPTEN_KEEPALIVE int card_figure_y() { return TheCard().Host().FigureAt().y; }

EMSCRIPTEN_KEEPALIVE const float* card_sound_samples() { return soundSamples.data(); }
EMSCRIPTEN_KEEPALIVE int card_sound_sample_count() {
  return static_cast<int>(soundSamples.size());
}
EMSCRIPTEN_KEEPALIVE int card_sound_sample_rate() { return card::kClipSampleRate; }
EMSCRIPTEN_KEEPALIVE void card_sound_done() { TheCard().SoundDone(); }

EMSCRIPTEN_KEEPALIVE const char16_t* card_message_box() {
  const auto& message = TheCard().Host().MessageToShow();
  return ReturnedCardText(message ? *message : std::string());
}

// The run's events, in cardkit simulate's line format.
EMSCRIPTEN_KEEPALIVE int card_event_count() {
  return static_cast<int>(TheCard().Host().Events().size());
}
EMSCRIPTEN_KEEPALIVE const char16_t* card_event(int i) {
  return ReturnedCardText(TheCard().Host().Events()[static_cast<std::size_t>(i)]);
}

// --- the card window ---

// The control's rectangle in client pixels into out[4]; 0 when there is no such control.
EMSCRIPTEN_KEEPALIVE int card_control_rect(int id, std::int32_t* out) {
  const std::optional<card::Rect> rect = card::CardControlRect(id);
  if (!rect) return 0;
  PutRect(*rect, out);
  return 1;
}

// The copies that paint the surface now, 7 numbers each (see PutCopy), at most `capacity`.
EMSCRIPTEN_KEEPALIVE int card_paint(std::int32_t* out, int capacity) {
  const std::vector<card::PaintCopy> copies = TheCard().Surface().Paint();
  int count = 0;
  for (const card::PaintCopy& copy : copies) {
    if (count == capacity) break;
    PutCopy(copy, out + 7 * count++);
  }
  return count;
}

// The logo's copy onto the visit button; 0 when the card has none.
EMSCRIPTEN_KEEPALIVE int card_logo(std::int32_t* out) {
  const std::optional<card::PaintCopy> logo = TheCard().Surface().Logo();
  if (!logo) return 0;
  PutCopy(*logo, out);
  return 1;
}

EMSCRIPTEN_KEEPALIVE int card_image_width(int id) {
  const card::RgbaPicture* image = TheCard().Surface().Image(id);
  return image ? image->width : 0;
}
EMSCRIPTEN_KEEPALIVE int card_image_height(int id) {
  const card::RgbaPicture* image = TheCard().Surface().Image(id);
  return image ? image->height : 0;
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* card_image_rgba(int id) {
  const card::RgbaPicture* image = TheCard().Surface().Image(id);
  return image ? image->rgba.data() : nullptr;
}

// The pointer is at (x, y) of the client area. Bits: 1 it is inside a hot spot, 2 the surface
// must be painted again, 4 a hot spot is hovered (the hand).
EMSCRIPTEN_KEEPALIVE int card_pointer_at(int x, int y) {
  card::WebCardSurface& surface = TheCard().Surface();
  const card::HoverChange change = surface.PointerAt({x, y});
  return (change.pointerInside ? 1 : 0) | (change.toRedraw.empty() ? 0 : 2) |
         (surface.AnyHovered() ? 4 : 0);
}

// The hot spot a click at (x, y) opens, or -1.
EMSCRIPTEN_KEEPALIVE int card_hot_spot_at(int x, int y) {
  const auto spot = TheCard().Surface().HotSpotAt({x, y});
  return spot ? static_cast<int>(*spot) : -1;
}

// Chooses what a click opens: 1 a file the card carries (card_target_page*, shown as
// card_target_type), 2 an address (card_target_text), 0 nothing, for a target the card may not
// open.
EMSCRIPTEN_KEEPALIVE int card_open_hot_spot(int index) {
  return OpenTarget(TheCard().HotSpotTarget(static_cast<std::size_t>(index)));
}
EMSCRIPTEN_KEEPALIVE int card_open_visit() { return OpenTarget(TheCard().VisitTarget()); }
EMSCRIPTEN_KEEPALIVE const char16_t* card_target_text() { return ReturnedCardText(target.text); }
EMSCRIPTEN_KEEPALIVE const char16_t* card_target_type() {
  return ReturnedCardText(target.mediaType);
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* card_target_page() {
  return target.page ? target.page->data() : nullptr;
}
EMSCRIPTEN_KEEPALIVE int card_target_page_size() {
  return target.page ? static_cast<int>(target.page->size()) : 0;
}

// --- the buttons ---

// The fills of a button in drawing order, 5 numbers each: the paint (0 frame, 1 face, 2 light
// edge, 3 dark edge) and the rectangle; at most 16.
EMSCRIPTEN_KEEPALIVE int card_button_fills(int left, int top, int right, int bottom, int pressed,
                                           std::int32_t* out) {
  int count = 0;
  for (const card::ButtonFill& fill :
       card::ButtonFills(card::Rect{left, top, right, bottom}, pressed != 0)) {
    if (count == 16) break;
    out[0] = static_cast<std::int32_t>(fill.paint);
    PutRect(fill.rect, out + 1);
    out += 5;
    ++count;
  }
  return count;
}

// The caption's top-left corner into out[2].
EMSCRIPTEN_KEEPALIVE void card_caption_position(int left, int top, int right, int bottom,
                                                int itemState, int decoration, int textWidth,
                                                int textHeight, std::int32_t* out) {
  const card::Point at =
      card::CaptionPosition(card::Rect{left, top, right, bottom},
                            static_cast<unsigned>(itemState), decoration, textWidth, textHeight);
  out[0] = at.x;
  out[1] = at.y;
}

EMSCRIPTEN_KEEPALIVE int card_logo_strip_width() { return card::kLogoStripWidth; }

// --- the message and Make a New Card ---

EMSCRIPTEN_KEEPALIVE const char16_t* card_message_text() {
  return Returned(card::PageMessageText(TheCard().Message().text));
}
EMSCRIPTEN_KEEPALIVE int card_message_centred() { return TheCard().Message().centred ? 1 : 0; }

// 1 when the new-message dialog takes `text`, 0 when it is refused.
EMSCRIPTEN_KEEPALIVE int card_new_message_fits(const char16_t* text) {
  return card::FitsNewMessage(text) ? 1 : 0;
}

// The new card's file name, made from its message by the card file naming rules.
EMSCRIPTEN_KEEPALIVE const char16_t* card_new_card_name(const char16_t* text) {
  return Returned(card::Utf16FromUtf8(card::NewCardPageName(text)));
}

// Shows the new message on the card and makes the msg.txt of the new card (card_message_file).
EMSCRIPTEN_KEEPALIVE int card_set_message(const char16_t* text, int centred) {
  card::CardMessage message{card::MessageText(text), centred != 0};
  messageFile = card::EncodeMessageFile(message);
  TheCard().SetMessage(std::move(message));
  return static_cast<int>(messageFile.size());
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* card_message_file() { return messageFile.data(); }

}  // extern "C"
