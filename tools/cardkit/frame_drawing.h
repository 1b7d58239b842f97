// Draws a decoded frame of an animation file the way the card does: its pixel array through the
// mask colour table with AND, then through the image colour table with OR. Used by the preview
// and to prove that built frames come back as they went in.
#pragma once

#include "animation/fas/frame_decoder.h"
#include "tools/cardkit/rgba_image.h"

namespace card::kit {

// Draws `frame` onto `canvas` with its top-left corner at (left, top); parts outside are clipped.
void DrawFrame(const DecodedFrame& frame, RgbImage& canvas, int left, int top);

}  // namespace card::kit
