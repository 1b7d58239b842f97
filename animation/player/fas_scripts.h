// The player's scripts from a Card.FAS: each found by its exact name, inside the mapped file.
#pragma once

#include "animation/fas/fas_file.h"
#include "animation/player/script_player.h"

namespace card {

inline ScriptLookup ScriptsOf(const FasFile& frames) {
  return [&frames](std::string_view name) -> std::optional<std::string_view> {
    const char* script = frames.FindScript(name);
    if (!script) return std::nullopt;
    return std::string_view(script);
  };
}

}  // namespace card
