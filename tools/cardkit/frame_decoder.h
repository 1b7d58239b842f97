// Draws a frame of an animation file the way the card does: its pixel array through the mask
// colour table with AND, then through the image colour table with OR. Used by the preview and
// to prove that built frames come back as they went in.
#pragma once

#include "animation/fas/fas_file.h"
#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <cstdint>
#include <vector>

namespace card::kit {

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

// Draws `frame` onto `canvas` with its top-left corner at (left, top); parts outside are clipped.
void DrawFrame(const DecodedFrame& frame, RgbImage& canvas, int left, int top);

}  // namespace card::kit
