// Writes an animated GIF that loops for ever, from a sequence of equally sized pictures. Only
// the part of each picture that changed is stored, and pictures that repeat the one before
// only lengthen its display, so a small figure moving over a large backdrop stays small.
#pragma once

#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace card::kit {

class GifWriter {
 public:
  GifWriter(int width, int height);

  // Adds a picture of the writer's size shown for `delayCentiseconds`.
  void AddFrame(const RgbImage& picture, int delayCentiseconds);
  // The GIF file's bytes, or why they could not be made.
  Result<std::vector<std::uint8_t>> Finish();

 private:
  // The changed area of one picture, placed at (left, top).
  struct Area {
    RgbImage pixels;
    int left = 0;
    int top = 0;
    int delay = 0;
  };

  int width_;
  int height_;
  std::optional<RgbImage> shown_;  // the last picture written, what the viewer then shows
  std::vector<Area> frames_;
};

}  // namespace card::kit
