// The browser page's side of the script player (see browser_host.h).
#include "web/browser_host.h"

#include "animation/canvas/frame_choice.h"
#include "animation/player/simulated_host.h"
#include "animation/script/script_numbers.h"
#include "shell/card_window_layout.h"

namespace card {

BrowserHost::BrowserHost(const FasFile& frames, const WasFile* sounds)
    : frames_(frames),
      sounds_(sounds),
      window_{0, 0, frames.Width(), frames.Height()},
      shownLast_(kNoFrameShownId) {}

void BrowserHost::BeginTick(std::int32_t nowTenths, const Rect& workArea) {
  ++tick_;
  now_ = nowTenths;
  workArea_ = workArea;
  frame_.reset();
  sound_.reset();
  message_.reset();
}

void BrowserHost::EndTick(bool goesOn) {
  if (!goesOn) {
    events_.push_back(FormatEvent({SimulationEvent::Kind::End, tick_, {}, 0, {}}));
  } else if (!frame_) {
    events_.push_back(FormatEvent({SimulationEvent::Kind::Wait, tick_, {}, 0, {}}));
  }
}

int BrowserHost::TakeFailedSounds() {
  const int failed = failedSounds_;
  failedSounds_ = 0;
  return failed;
}

void BrowserHost::ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId) {
  // Saturating, as the simulator moves, so an absurd move cannot overflow.
  window_ = {SaturatingAdd(window_.left, dx), SaturatingAdd(window_.top, -std::int64_t{dyUp}),
             SaturatingAdd(window_.right, dx), SaturatingAdd(window_.bottom, -std::int64_t{dyUp})};
  shownLast_ = FrameToCompose(shownLast_, frameId);
  frame_ = FrameRequest{frames_.FrameIndex(shownLast_), {window_.left, window_.top}};
  events_.push_back(
      FormatEvent({SimulationEvent::Kind::Frame, tick_, {}, frameId, {window_.left, window_.top}}));
}

void BrowserHost::StartSound(const std::string& name) {
  events_.push_back(FormatEvent({SimulationEvent::Kind::Sound, tick_, name, 0, {}}));
  const std::optional<ByteView> clip = sounds_ ? sounds_->FindSound(name) : std::nullopt;
  if (clip && !clip->empty()) {
    sound_ = clip;
  } else {
    ++failedSounds_;
  }
}

void BrowserHost::ShowMessage(const std::string& text) {
  events_.push_back(FormatEvent({SimulationEvent::Kind::Error, tick_, text, 0, {}}));
  message_ = text;
}

std::optional<Rect> BrowserHost::ControlRect(int id) { return CardControlRect(id); }

}  // namespace card
