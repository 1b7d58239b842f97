// A card as a browser page plays it: the content files the page carries (by the names the card
// uses for them), opened and checked as card.exe opens them, its frames decoded once into
// pictures with transparency, the script player with its browser host, the card window's
// surface and its message. The page drives it one tick at a time.
#pragma once

#include "animation/fas/fas_file.h"
#include "animation/image/bitmap_picture.h"
#include "animation/player/script_player.h"
#include "card/card_target.h"
#include "common/result.h"
#include "layout/layout_file.h"
#include "message/card_message.h"
#include "sound/was_file.h"
#include "web/browser_host.h"
#include "web/web_card_surface.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace card {

class WebCard {
 public:
  WebCard() = default;
  // The player, its host and the surface refer to the card's parts where they lie.
  WebCard(const WebCard&) = delete;
  WebCard& operator=(const WebCard&) = delete;

  // A file of the card folder by the name the card uses for it; found again by the card
  // folder's rule (without regard to case, a leading ".\" left out). A name that is no plain
  // file name of the folder is not kept.
  void AddFile(std::string_view name, std::vector<std::uint8_t> bytes);
  // Reads Layout.txt and Card.FAS (which the card cannot be shown without), the sound bank
  // when sound effects are on, and msg.txt (the page's, in UTF-8); fails with one sentence
  // naming what is wrong.
  Status Open();

  const LayoutFile& Layout() const { return layout_; }
  const FasFile& Frames() const { return *frames_; }
  const RgbaPicture& Frame(std::uint32_t index) const { return framePictures_[index]; }
  const CardMessage& Message() const { return message_; }
  void SetMessage(CardMessage message) { message_ = std::move(message); }

  // Starts a run of "do" where the last one left off, as "Repeat" does.
  void Start();
  // One tick: false when the run has ended. Sounds that could not play are done at its end.
  bool Step(std::int32_t nowTenths, const Rect& workArea);
  // Ends the run now, as the end of the script does ("Skip to the card").
  void Skip();
  // The sound the page started has ended.
  void SoundDone();
  const BrowserHost& Host() const { return *host_; }

  WebCardSurface& Surface() { return *surface_; }

  // Where a click leads, by the card's one rule (card/card_target.h): nothing, an address the
  // browser opens, or a page, picture or text the card carries, shown as its media type.
  struct Target {
    CardTarget::Kind kind = CardTarget::Kind::Nothing;
    std::string text;  // the address, or the carried file's name
    std::optional<ByteView> page;
    std::string_view mediaType;
  };
  Target HotSpotTarget(std::size_t index) const;
  Target VisitTarget() const;

 private:
  std::optional<ByteView> File(std::string_view name) const;
  Target TargetOf(const std::string& text) const;

  std::map<std::string, std::vector<std::uint8_t>> files_;
  LayoutFile layout_;
  std::unique_ptr<FasFile> frames_;
  std::unique_ptr<WasFile> sounds_;
  std::vector<RgbaPicture> framePictures_;
  CardMessage message_;
  std::unique_ptr<BrowserHost> host_;
  std::unique_ptr<ScriptPlayer> player_;
  std::unique_ptr<WebCardSurface> surface_;
};

}  // namespace card
