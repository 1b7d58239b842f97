// Playing a card folder in the simulated host (see card_simulation.h).
#include "tools/cardkit/card_simulation.h"

#include "animation/player/fas_scripts.h"
#include "animation/player/script_player.h"

namespace card::kit {

void SimulateCard(const CardFolder& card, const SimulatedDesktop& desktop,
                  std::string_view script, std::int32_t ticks, std::int32_t runs,
                  const SimulatedHost::EventSink& sink) {
  const FasFile& frames = *card.frames;
  const WasFile* sounds = card.sounds.get();
  const ClipLength clips = [sounds](std::string_view name) -> std::optional<std::size_t> {
    if (!sounds) return std::nullopt;
    const auto clip = sounds->FindSound(name);
    if (!clip) return std::nullopt;
    return clip->size();
  };
  SimulatedHost host(desktop, frames.Width(), frames.Height(), clips, sink);
  ScriptPlayer player(host, ScriptsOf(frames), frames.Width(), frames.Height());
  RunSimulation(host, player, script, ticks, runs);
}

}  // namespace card::kit
