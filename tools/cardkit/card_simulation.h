// A loaded card folder played in the simulated host, as `simulate` and `preview` play it: the
// card's own scripts, and clips from its sound bank lasting as long as they would play.
#pragma once

#include "animation/player/simulated_host.h"
#include "card/card_folder.h"

#include <cstdint>
#include <string_view>

namespace card::kit {

// Plays `runs` runs of `script`, stopping after `ticks` ticks, and reports every event.
void SimulateCard(const CardFolder& card, const SimulatedDesktop& desktop,
                  std::string_view script, std::int32_t ticks, std::int32_t runs,
                  const SimulatedHost::EventSink& sink);

}  // namespace card::kit
