// The sample card's scripts, played by the card's own engine on simulated desktops: each run
// walks in from just off the left edge, stays inside the work area, lasts 15 to 40 seconds
// and ends with the snowman standing on the bottom of the work area; over a few runs (as
// "Repeat" plays them) every frame is used and every sound exists.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "animation/player/script_player.h"
#include "animation/player/simulated_host.h"
#include "sample/art/snowman_frames.h"
#include "sample/audio/sound_effects.h"
#include "tools/cardkit/scripts_reader.h"

namespace card::sample {
namespace {

std::map<std::string, std::string, std::less<>> SampleScripts() {
  std::ifstream file(SAMPLE_DIR "/scripts.txt", std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  kit::Diagnostics diagnostics;
  std::map<std::string, std::string, std::less<>> scripts;
  for (const kit::ScriptEntry& e : kit::ReadScripts(text.str(), "scripts.txt", diagnostics))
    scripts[e.name] = e.text;
  EXPECT_EQ(diagnostics.ErrorCount() + diagnostics.WarningCount(), 0) << "scripts.txt has problems";
  return scripts;
}

struct PlayedRun {
  std::vector<SimulationEvent> events;  // from its first frame to its end
};

std::vector<PlayedRun> Play(const Rect& workArea, bool withSound, int runs) {
  const auto scripts = SampleScripts();
  std::map<std::string, std::size_t, std::less<>> clipBytes;
  for (const SoundEffect& e : SoundEffects())
    clipBytes[e.name] = e.samples.size() * 16000 / kEffectRate;
  std::vector<PlayedRun> played(1);
  SimulatedDesktop desktop;
  desktop.workArea = workArea;
  SimulatedHost host(
      desktop, kFrameSize, kFrameSize,
      [&](std::string_view name) -> std::optional<std::size_t> {
        const auto it = clipBytes.find(name);
        if (!withSound || it == clipBytes.end()) return std::nullopt;
        return it->second;
      },
      [&](const SimulationEvent& e) {
        played.back().events.push_back(e);
        if (e.kind == SimulationEvent::Kind::End) played.emplace_back();
      });
  ScriptPlayer player(
      host,
      [&](std::string_view name) -> std::optional<std::string_view> {
        const auto it = scripts.find(name);
        if (it == scripts.end()) return std::nullopt;
        return std::string_view(it->second);
      },
      kFrameSize, kFrameSize);
  RunSimulation(host, player, "do", 3 * 600, runs);
  played.pop_back();  // begun after the last end, or unfinished
  return played;
}

TEST(SampleScript, EachRunWalksInStaysInsideAndSettlesOnTheBottom) {
  const struct {
    Rect workArea;
    bool withSound;
  } cases[] = {{{0, 0, 1024, 768}, true},  {{0, 0, 1024, 768}, false},
               {{0, 0, 1920, 1040}, true}, {{120, 40, 1400, 1000}, true},
               {{0, 0, 640, 480}, true},   {{0, 0, 400, 300}, false}};
  for (const auto& c : cases) {
    const Rect& wa = c.workArea;
    const std::string where = std::to_string(wa.Width()) + "x" + std::to_string(wa.Height()) +
                              " at " + std::to_string(wa.left) + "," + std::to_string(wa.top) +
                              (c.withSound ? "" : ", no sound");
    const std::vector<PlayedRun> runs = Play(wa, c.withSound, 2);
    ASSERT_EQ(runs.size(), 2u) << where << ": a run did not end";
    for (const PlayedRun& run : runs) {
      std::vector<SimulationEvent> frames;
      for (const SimulationEvent& e : run.events) {
        EXPECT_NE(e.kind, SimulationEvent::Kind::Error) << where << ": " << e.text;
        if (e.kind == SimulationEvent::Kind::Frame) frames.push_back(e);
      }
      ASSERT_FALSE(frames.empty()) << where;
      const int ticks = run.events.back().tick - run.events.front().tick;
      EXPECT_GE(ticks, c.withSound ? 150 : 100) << where;
      EXPECT_LE(ticks, 400) << where;
      // Out of sight at first, just left of the work area on its bottom.
      EXPECT_LE(frames.front().topLeft.x + kFrameSize, wa.left) << where;
      for (const SimulationEvent& f : frames) {
        EXPECT_GE(f.topLeft.x, wa.left - 100) << where << " frame at tick " << f.tick;
        EXPECT_LE(f.topLeft.x + kFrameSize, wa.right) << where << " frame at tick " << f.tick;
        EXPECT_GE(f.topLeft.y, wa.top) << where << " frame at tick " << f.tick;
        EXPECT_LE(f.topLeft.y + kFrameSize, wa.bottom) << where << " frame at tick " << f.tick;
      }
      // In full view at the end, standing on the bottom.
      EXPECT_GE(frames.back().topLeft.x, wa.left) << where;
      EXPECT_EQ(frames.back().topLeft.y + kFrameSize, wa.bottom) << where;
    }
  }
}

TEST(SampleScript, RepeatedRunsUseEveryFrameAndOnlyRealSounds) {
  std::set<int> keys, shown;
  for (const SnowmanFrame& f : SnowmanFrames()) keys.insert(f.key);
  std::set<std::string> sounds, played;
  for (const SoundEffect& e : SoundEffects()) sounds.insert(e.name);
  for (const PlayedRun& run : Play({0, 0, 1024, 768}, true, 3)) {
    for (const SimulationEvent& e : run.events) {
      if (e.kind == SimulationEvent::Kind::Frame) {
        EXPECT_TRUE(keys.count(e.frameId))
            << "frame " << e.frameId << " at tick " << e.tick << " is not drawn";
        shown.insert(e.frameId);
      } else if (e.kind == SimulationEvent::Kind::Sound) {
        EXPECT_TRUE(sounds.count(e.text))
            << "sound " << e.text << " at tick " << e.tick << " is not made";
        played.insert(e.text);
      }
    }
  }
  EXPECT_EQ(shown, keys);
  EXPECT_EQ(played, sounds);
}

}  // namespace
}  // namespace card::sample
