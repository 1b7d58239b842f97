// Turns the figure's RGBA frames into what the animation file stores: 16-entry palettes with one
// transparent entry, and one palette index per pixel. Frames of one group (one animation) share
// a palette where their colours allow it; identical palettes are stored once.
#pragma once

#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace card::kit {

// Each palette holds the transparent entry and at most 15 colours.
constexpr std::size_t kFramePaletteSize = 16;
constexpr std::uint8_t kTransparentIndex = 0;
constexpr int kFrameColours = 15;
// A group whose shared palette would fall below this quality gets a palette per frame instead.
constexpr int kSharedPaletteMinQuality = 70;
// A frame's palette index is one byte.
constexpr std::size_t kMaxFramePalettes = 256;

struct FrameSource {
  std::string name;  // where it came from, for messages: "frames/walk/3.png"
  std::uint16_t key = 0;
  RgbaImage image;
};

struct FrameGroup {
  std::string name;
  std::vector<FrameSource> frames;
};

struct FramePalette {
  // Entry kTransparentIndex is black and is never drawn; unused entries are black too.
  std::array<Rgb, kFramePaletteSize> colours{};
  friend bool operator==(const FramePalette&, const FramePalette&) = default;
};

struct QuantisedFrame {
  std::uint16_t key = 0;
  std::size_t palette = 0;            // index into QuantisedFrames::palettes
  std::vector<std::uint8_t> indices;  // width * height palette indices, rows from the top
};

struct QuantisedFrames {
  int width = 0;
  int height = 0;
  std::vector<FramePalette> palettes;
  std::vector<QuantisedFrame> frames;  // sorted by key
};

// Fails when there are no frames, when a frame's size differs from the first one's (naming
// both), when two frames have the same key, or when more than 256 palettes would be needed.
Result<QuantisedFrames> QuantiseFrames(const std::vector<FrameGroup>& groups);

}  // namespace card::kit
