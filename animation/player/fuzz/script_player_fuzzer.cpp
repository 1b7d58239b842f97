// Runs arbitrary scripts through the player for 30 ticks on the simulated host.
// Input: a flags byte (bit 0: message boxes run a nested step, bit 1: a second run), then
// scripts separated by '\n': the first is "do", the next ones define the names a, b, c, ...
// Sounds whose names start with A-M play for a while; others cannot play. Besides the
// sanitizers' checks, the player must stay within its caps and end no more runs than it started.
// What one input may cost is kept small, so that the engine is tried on as many inputs as the
// readers are: its caps are far below a card's (a runaway meets them the same way whatever
// their size, and short inputs reach them sooner), inputs are short, and a run is three
// seconds long, time enough for the sounds and repeats of a short script.
#include "animation/player/script_player.h"
#include "animation/player/simulated_host.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

namespace {

const card::PlayerCaps kCaps{.stepTokens = 100,
                             .stepWork = std::uint64_t{1} << 10,
                             .scriptBytes = std::size_t{1} << 10,
                             .depth = 16,
                             .savedItemBytes = std::size_t{4} << 10};
// Longer inputs only add text that the caps cut short.
constexpr std::size_t kMaxInputBytes = 256;
constexpr std::int32_t kTicks = 30;

// Message boxes that run a further step while open, as the Windows modal loop does.
class NestingHost : public card::SimulatedHost {
 public:
  using SimulatedHost::SimulatedHost;
  void ShowMessage(const std::string& text) override {
    SimulatedHost::ShowMessage(text);
    if (!nestSteps || !player || nesting >= 3) return;
    ++nesting;
    player->Step();
    --nesting;
  }
  bool nestSteps = false;
  card::ScriptPlayer* player = nullptr;
  int nesting = 0;
};

std::map<std::string, std::string, std::less<>> ScriptsFrom(std::string_view text) {
  std::map<std::string, std::string, std::less<>> scripts;
  std::string name = "do";
  for (int index = 0;; ++index) {
    const std::size_t end = text.find('\n');
    scripts[name] = std::string(text.substr(0, end));
    if (end == std::string_view::npos) return scripts;
    text.remove_prefix(end + 1);
    name = std::string(1, static_cast<char>('a' + index % 26));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > kMaxInputBytes) return 0;
  const std::uint8_t flags = data[0];
  const auto scripts = ScriptsFrom({reinterpret_cast<const char*>(data + 1), size - 1});

  const card::SimulatedDesktop desktop{
      {50, 50}, {0, 0, 200, 150}, {{1, {0, 0, 60, 20}}, {7, {30, 0, 90, 10}}}};
  const auto clips = [](std::string_view name) -> std::optional<std::size_t> {
    if (name.empty() || name[0] < 'A' || name[0] > 'M') return std::nullopt;
    return name.size() * 1000;
  };
  int ends = 0;
  NestingHost host(desktop, 10, 10, clips, [&ends](const card::SimulationEvent& e) {
    if (e.kind == card::SimulationEvent::Kind::End) ++ends;
  });
  card::ScriptPlayer player(
      host,
      [&scripts](std::string_view name) -> std::optional<std::string_view> {
        const auto found = scripts.find(name);
        if (found == scripts.end()) return std::nullopt;
        return found->second;
      },
      10, 10, kCaps);
  host.player = &player;
  host.nestSteps = flags & 1;
  const int runs = 1 + ((flags >> 1) & 1);
  card::RunSimulation(host, player, "do", kTicks, runs);

  if (player.RemainingScript().size() > kCaps.scriptBytes) std::abort();
  if (player.Depth() > kCaps.depth) std::abort();
  if (ends > runs) std::abort();
  return 0;
}
