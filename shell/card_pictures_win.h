// Turns a parsed layout into what the card window shows: its placed images (entry 0 the logo,
// null when the layout has none), its hot spots, and the program-wide colours, palette and logo.
#pragma once

#include "shell/hot_spot.h"
#include "shell/placed_image_win.h"
#include "layout/layout_file.h"

#include <memory>
#include <vector>

namespace card {

struct CardPictures {
  std::vector<std::unique_ptr<PlacedImage>> images;  // [0] is the logo, or null
  std::vector<HotSpot> hotSpots;                     // hover flags all false
};

// Loads every picture the layout names from the card folder (CardPicturePath); a file that is
// not there or cannot be loaded gives a picture of size 0.
CardPictures MakeCardPictures(const LayoutFile& layout);

// Makes the layout's colours, palette and logo the program's (see shell/card_look_win.h).
// `logo` must outlive its use by the "Visit Us" button.
void ApplyCardLook(const LayoutFile& layout, const PlacedImage* logo);

}  // namespace card
