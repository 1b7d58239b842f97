// A card as a browser page plays it: the content files the page carries (by the names the card
// uses for them), opened and checked as card.exe opens them, its frames decoded once into
// pictures with transparency, the script player with its browser host, the card window's
// surface and its message. The page drives it one tick at a time.
#pragma once

#include "animation/fas/fas_file.h"
#include "animation/image/bitmap_picture.h"
#include "animation/player/script_player.h"
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
#include <vector>

namespace card {

class WebCard {
 public:
  WebCard() = default;
  // The player, its host and the surface refer to the card's parts where they lie.
  WebCard(const WebCard&) = delete;
  WebCard& operator=(const WebCard&) = delete;

  void AddFile(std::string name, std::vector<std::uint8_t> bytes);
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

  // Where a click leads: a page the card carries, or an address the browser opens.
  struct Target {
    std::string text;
    std::optional<ByteView> page;
  };
  Target HotSpotTarget(std::size_t index) const;
  Target VisitTarget() const;

 private:
  std::optional<ByteView> File(const std::string& name) const;
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
