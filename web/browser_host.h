// The script player's host in a browser page. The figure is an element that the page moves
// over its visible area (the work area), starting at the page's top-left corner; sounds are
// played by the page; the clock is the page's. A step's requests are kept until the step has
// returned, and the page then carries them out: the frame to show and where, the sound to
// start, the message to show. The run's events are kept in cardkit simulate's line format.
#pragma once

#include "animation/fas/fas_file.h"
#include "animation/player/player_host.h"
#include "common/byte_reader.h"
#include "common/geometry.h"
#include "sound/was_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace card {

class BrowserHost : public PlayerHost {
 public:
  // `sounds` is null when the card plays no sound effects.
  BrowserHost(const FasFile& frames, const WasFile* sounds);

  // Before each step: the tick's clock reading and the page's visible area.
  void BeginTick(std::int32_t nowTenths, const Rect& workArea);
  // After each step: records "wait" or "end" as the simulator does.
  void EndTick(bool goesOn);
  // Sounds that could not play in the step just made; each is done now.
  int TakeFailedSounds();

  // What the last step asked the page to do.
  struct FrameRequest {
    std::uint32_t index = 0;  // of the frame in Card.FAS
    Point topLeft;            // of the figure, in page pixels
  };
  const std::optional<FrameRequest>& FrameToShow() const { return frame_; }
  // The clip of the sound to start; nothing when none started or it cannot play.
  const std::optional<ByteView>& SoundToStart() const { return sound_; }
  const std::optional<std::string>& MessageToShow() const { return message_; }

  Point FigureAt() const { return {window_.left, window_.top}; }
  const std::vector<std::string>& Events() const { return events_; }

  void ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId) override;
  Rect WindowRect() const override { return window_; }
  void StartSound(const std::string& name) override;
  std::int32_t NowTenths() override { return now_; }
  void ShowMessage(const std::string& text) override;
  Rect WorkArea() override { return workArea_; }
  std::optional<Rect> ControlRect(int id) override;
  void Trace(const std::string&) override {}

 private:
  const FasFile& frames_;
  const WasFile* sounds_;
  Rect window_;
  Rect workArea_;
  std::int32_t now_ = 0;
  std::int32_t tick_ = 0;
  std::int32_t shownLast_;
  int failedSounds_ = 0;
  std::optional<FrameRequest> frame_;
  std::optional<ByteView> sound_;
  std::optional<std::string> message_;
  std::vector<std::string> events_;
};

}  // namespace card
