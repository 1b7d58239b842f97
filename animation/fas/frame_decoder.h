// A frame of Card.FAS decoded through its palette record: for each pixel, the colour the mask
// pass (AND) and the image pass (OR) give it, as the card draws frames. cardkit's checks and
// preview and the browser's host all decode frames with it.
#pragma once

#include "animation/fas/fas_file.h"
#include "common/colour.h"
#include "common/result.h"

#include <cstdint>
#include <vector>

namespace card {

// A frame's pixels as the two passes see them.
struct DecodedFrame {
  int width = 0;
  int height = 0;
  std::vector<Rgb> image;  // colour each pixel gets in the image pass, rows from the top
  std::vector<Rgb> mask;   // and in the mask pass

  // Transparent where the mask pass keeps the background and the image pass adds nothing.
  bool IsTransparentAt(int x, int y) const;
};

// Decodes frame `frameId` through its palette record. Fails, naming the frame, when the record's
// headers describe something the pixel array cannot hold or the card cannot draw.
Result<DecodedFrame> DecodeFrame(const FasFile& fas, std::int32_t frameId);

}  // namespace card
