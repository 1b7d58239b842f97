// The card's tune for a web page: card.mid played through FluidSynth with a General MIDI
// soundfont, as the card's MIDI sequencer would play it, and encoded as MP3 with LAME, which
// every current browser decodes.
#pragma once

#include "common/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace card::kit {

// Debian's General MIDI soundfont (fluid-soundfont-gm).
inline constexpr const char* kGeneralMidiSoundfont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

// MP3 bytes of the MIDI file `midi`: one channel at 22050 Hz, 48 kbit/s, with a second of
// silence after the last note for its release. Fails with a sentence when the soundfont cannot
// be loaded or the MIDI file cannot be played.
Result<std::vector<std::uint8_t>> RenderMusicMp3(const std::vector<std::uint8_t>& midi,
                                                 const std::string& soundfont);

}  // namespace card::kit
