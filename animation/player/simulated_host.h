// A PlayerHost without Windows: the figure window is a rectangle, the clock counts ticks, sounds
// last as long as their clips would play, and message boxes close at once. It reports what the
// figure does as events, so the authoring tool can show a run and tests can compare runs.
#pragma once

#include "animation/player/player_host.h"
#include "common/geometry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace card {

struct SimulationEvent {
  enum class Kind { Sound, Frame, Wait, Error, End };
  Kind kind = Kind::Wait;
  std::int32_t tick = 0;
  std::string text;  // the sound's name or the message's text
  std::int32_t frameId = 0;
  Point topLeft;     // of the figure window, after the frame's move
};

// One line: "T sound NAME", "T frame F X Y", "T wait", "T error TEXT" or "T end".
std::string FormatEvent(const SimulationEvent& event);

// The byte length of the named sound's clip; nothing when the sound cannot play.
using ClipLength = std::function<std::optional<std::size_t>(std::string_view name)>;

// The simulated screen around the figure.
struct SimulatedDesktop {
  Point windowAt;  // the figure window's top-left when the simulation begins
  Rect workArea{0, 0, 1024, 768};
  std::map<int, Rect> controls;  // the card window's controls by id, in its client coordinates
};

class SimulatedHost : public PlayerHost {
 public:
  using EventSink = std::function<void(const SimulationEvent&)>;

  SimulatedHost(const SimulatedDesktop& desktop, std::int32_t viewWidth, std::int32_t viewHeight,
                ClipLength clips, EventSink sink);

  void ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId) override;
  Rect WindowRect() const override { return window_; }
  void StartSound(const std::string& name) override;
  std::int32_t NowTenths() override { return tick_; }
  void ShowMessage(const std::string& text) override;
  Rect WorkArea() override { return desktop_.workArea; }
  std::optional<Rect> ControlRect(int id) override;
  void Trace(const std::string&) override {}

  // Tick T reads T on the clock; before the first tick it reads 0.
  void BeginTick(std::int32_t tick);
  bool FrameShownThisTick() const { return frameShown_; }
  void ReportWait() { Emit({SimulationEvent::Kind::Wait, tick_, {}, 0, {}}); }
  void ReportEnd() { Emit({SimulationEvent::Kind::End, tick_, {}, 0, {}}); }
  // How many sounds end with the current tick; they are forgotten once counted. A clip of L
  // bytes started in tick T plays for max(1, ceil(L / 1600)) tenths, so it ends with tick
  // T + that - 1; a sound that cannot play ends with tick T.
  int TakeEndedSounds();

 private:
  void Emit(const SimulationEvent& event);

  SimulatedDesktop desktop_;
  Rect window_;
  ClipLength clips_;
  EventSink sink_;
  std::int32_t tick_ = 0;
  bool frameShown_ = false;
  std::vector<std::int64_t> soundsEndWith_;  // the tick each playing sound ends with
};

class ScriptPlayer;

// Plays `runs` runs of the script `label` one after another (the next starts right after a
// run has ended, as the card's "Repeat" does), ticks numbered from 1, stopping after `ticks`.
void RunSimulation(SimulatedHost& host, ScriptPlayer& player, std::string_view label,
                   std::int32_t ticks, std::int32_t runs);

}  // namespace card
