// The card's background tune as the bytes of a Standard MIDI File.
#pragma once

#include <cstdint>
#include <vector>

namespace card::sample {

std::vector<uint8_t> CarolMidi();

}  // namespace card::sample
