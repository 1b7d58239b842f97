// The starter card's pictures, frames, sound and tune, made in code: flat shapes of a few
// colours with hard edges (so nothing is recoloured or half-transparent), a falling tone and
// a short tune of our own.
#pragma once

#include "tools/cardkit/rgba_image.h"

#include <cstdint>
#include <vector>

namespace card::kit::starter {

// The card's colours, shared by the pictures, the layout and its palette.
inline constexpr Rgb kSky{255, 244, 214};
inline constexpr Rgb kGrass{155, 209, 122};
inline constexpr Rgb kSun{255, 201, 74};
inline constexpr Rgb kGiftRed{224, 60, 49};
inline constexpr Rgb kGiftBlue{60, 141, 224};  // the gift while the pointer is over it
inline constexpr Rgb kRibbon{242, 200, 121};
inline constexpr Rgb kInk{90, 45, 12};          // message text
inline constexpr Rgb kButtonFace{200, 85, 61};
inline constexpr Rgb kButtonShadow{122, 46, 33};
inline constexpr Rgb kWhite{255, 255, 255};

RgbaImage Background();  // the whole card, 628 x 428
RgbaImage Gift();        // 64 x 64, transparent around the box
RgbaImage Logo();        // 40 x 40, transparent around a heart

// The figure, a round chick, 48 x 48: 1 standing, 2 crouching, 3 stretched up, 4 waving.
RgbaImage ChickFrame(int frame);

std::vector<std::uint8_t> PopSound();  // a WAV file
std::vector<std::uint8_t> Tune();      // a MIDI file

}  // namespace card::kit::starter
