// Drawing decoded frames onto an opaque picture.
#include "tools/cardkit/frame_drawing.h"

namespace card::kit {

void DrawFrame(const DecodedFrame& frame, RgbImage& canvas, int left, int top) {
  for (int y = 0; y < frame.height; ++y) {
    const int cy = top + y;
    if (cy < 0 || cy >= canvas.height) continue;
    for (int x = 0; x < frame.width; ++x) {
      const int cx = left + x;
      if (cx < 0 || cx >= canvas.width) continue;
      const std::size_t i = static_cast<std::size_t>(y) * frame.width + x;
      Rgb& pixel = canvas.At(cx, cy);
      pixel.r = static_cast<std::uint8_t>((pixel.r & frame.mask[i].r) | frame.image[i].r);
      pixel.g = static_cast<std::uint8_t>((pixel.g & frame.mask[i].g) | frame.image[i].g);
      pixel.b = static_cast<std::uint8_t>((pixel.b & frame.mask[i].b) | frame.image[i].b);
    }
  }
}

}  // namespace card::kit
