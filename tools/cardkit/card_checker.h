// `cardkit check`: everything in a built card folder that the card would trip over at run time,
// each problem named by file and place. Errors make a card unfit to send; warnings do not.
#pragma once

#include "tools/cardkit/diagnostics.h"

#include <filesystem>

namespace card::kit {

// Checks Layout.txt and the bitmaps and targets it names, Card.FAS (frames and scripts),
// Card.WAS, the music and msg.txt in `folder`. Problems in scripts are placed where `places` says.
Diagnostics CheckCardFolder(const std::filesystem::path& folder, const ScriptPlaces& places = {});

}  // namespace card::kit
