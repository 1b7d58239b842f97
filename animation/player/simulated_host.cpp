// The simulated host, its event lines and the tick loop that drives a player with it.
#include "animation/player/simulated_host.h"

#include "animation/player/script_player.h"
#include "animation/script/script_numbers.h"

#include <algorithm>
#include <utility>

namespace card {
namespace {

// Clip bytes played per tenth of a second: 8000 samples a second of 2 bytes each.
constexpr std::int64_t kClipBytesPerTenth = 1600;

}  // namespace

std::string FormatEvent(const SimulationEvent& event) {
  std::string line = std::to_string(event.tick) + ' ';
  switch (event.kind) {
    case SimulationEvent::Kind::Sound:
      return line + "sound " + event.text;
    case SimulationEvent::Kind::Frame:
      return line + "frame " + std::to_string(event.frameId) + ' ' +
             std::to_string(event.topLeft.x) + ' ' + std::to_string(event.topLeft.y);
    case SimulationEvent::Kind::Wait:
      return line + "wait";
    case SimulationEvent::Kind::Error:
      return line + "error " + event.text;
    case SimulationEvent::Kind::End:
      return line + "end";
  }
  return line;
}

SimulatedHost::SimulatedHost(const SimulatedDesktop& desktop, std::int32_t viewWidth,
                             std::int32_t viewHeight, ClipLength clips, EventSink sink)
    : desktop_(desktop),
      window_{desktop.windowAt.x, desktop.windowAt.y, desktop.windowAt.x + viewWidth,
              desktop.windowAt.y + viewHeight},
      clips_(std::move(clips)),
      sink_(std::move(sink)) {}

void SimulatedHost::ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId) {
  // Saturating, so a script's absurd move cannot overflow the simulated screen.
  window_ = {SaturatingAdd(window_.left, dx), SaturatingAdd(window_.top, -std::int64_t{dyUp}),
             SaturatingAdd(window_.right, dx), SaturatingAdd(window_.bottom, -std::int64_t{dyUp})};
  frameShown_ = true;
  Emit({SimulationEvent::Kind::Frame, tick_, {}, frameId, {window_.left, window_.top}});
}

void SimulatedHost::StartSound(const std::string& name) {
  Emit({SimulationEvent::Kind::Sound, tick_, name, 0, {}});
  const std::optional<std::size_t> length = clips_ ? clips_(name) : std::nullopt;
  const std::int64_t bytes = length ? static_cast<std::int64_t>(*length) : 0;
  const std::int64_t tenths = std::max<std::int64_t>(1, (bytes + kClipBytesPerTenth - 1) /
                                                            kClipBytesPerTenth);
  soundsEndWith_.push_back(tick_ + tenths - 1);
}

void SimulatedHost::ShowMessage(const std::string& text) {
  Emit({SimulationEvent::Kind::Error, tick_, text, 0, {}});
}

std::optional<Rect> SimulatedHost::ControlRect(int id) {
  const auto found = desktop_.controls.find(id);
  if (found == desktop_.controls.end()) return std::nullopt;
  return found->second;
}

void SimulatedHost::BeginTick(std::int32_t tick) {
  tick_ = tick;
  frameShown_ = false;
}

int SimulatedHost::TakeEndedSounds() {
  const auto ended = std::stable_partition(soundsEndWith_.begin(), soundsEndWith_.end(),
                                           [this](std::int64_t end) { return end > tick_; });
  const int count = static_cast<int>(soundsEndWith_.end() - ended);
  soundsEndWith_.erase(ended, soundsEndWith_.end());
  return count;
}

void SimulatedHost::Emit(const SimulationEvent& event) {
  if (sink_) sink_(event);
}

void RunSimulation(SimulatedHost& host, ScriptPlayer& player, std::string_view label,
                   std::int32_t ticks, std::int32_t runs) {
  if (runs < 1) return;
  player.Start(label);
  std::int32_t runsStarted = 1;
  for (std::int32_t tick = 1; tick <= ticks; ++tick) {
    host.BeginTick(tick);
    const bool goesOn = player.Step();
    if (!goesOn) {
      host.ReportEnd();
    } else if (!host.FrameShownThisTick()) {
      host.ReportWait();
    }
    for (int ended = host.TakeEndedSounds(); ended > 0; --ended) player.OnSoundDone();
    if (!goesOn) {
      if (runsStarted == runs) return;
      player.Start(label);
      ++runsStarted;
    }
  }
}

}  // namespace card
