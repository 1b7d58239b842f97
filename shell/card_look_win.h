// The card's program-wide drawing objects, each kept once here: the six layout colours, the
// card palette, the background and button-face brushes (made at the card window's first
// background erase), the logo drawn on "Visit Us", the button font, and the display scale the
// card window draws at. (The message font is the message controls', in message/.)
#pragma once

#include "common/display_scale.h"
#include "shell/placed_image_win.h"
#include "framework/gdi_win.h"
#include "layout/layout_file.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace card {

struct CardLook {
  LayoutColours colours;        // palette-relative 0x02BBGGRR values
  Palette palette;              // the card's logical palette; null when the layout has none
  Brush backgroundBrush;        // colour 1; made by MakeBrushes
  Brush buttonFaceBrush;        // colour 4; made by MakeBrushes
  const PlacedImage* logo = nullptr;  // owned by the card window; null for no logo
  DisplayScale scale;           // the card window's; card pixels to device pixels

  // Makes both brushes the first time; later calls keep them.
  void MakeBrushes();
};

// The program's one look. Tests replace it with a fresh CardLook.
CardLook& TheCardLook();

// A logical palette of the given 0x00BBGGRR entries in order (null for none).
Palette MakeCardPalette(const std::vector<std::uint32_t>& entries);

// The caption font of the card buttons: 18 card pixels at `scale`, weight 600, a Swiss face of
// the font mapper's choice. Made for each drawing.
Font MakeButtonFont(const DisplayScale& scale = {});

}  // namespace card
