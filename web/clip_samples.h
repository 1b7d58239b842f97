// A sound clip of the bank as the page's audio wants it: samples from -1 to 1 at the clip's own
// rate (kClipSampleRate), one channel.
#pragma once

#include "common/byte_reader.h"

#include <vector>

namespace card {

// The clip's 16-bit little-endian samples as floats; an odd last byte is left out.
std::vector<float> ClipSamples(ByteView clip);

}  // namespace card
