// Writing mono 16-bit PCM WAV files.
#pragma once

#include <string>
#include <vector>

namespace card::sample {

// Samples are in -1..1 and are clipped to that range; false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<double>& samples, int rate);

}  // namespace card::sample
