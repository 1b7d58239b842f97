// Frame quantisation: one palette per group when it is good enough, else one per frame.
#include "tools/cardkit/frame_quantiser.h"

#include "tools/cardkit/colour_quantiser.h"

#include <algorithm>
#include <map>

namespace card::kit {
namespace {

std::string SizeText(const RgbaImage& image) {
  return std::to_string(image.width) + " x " + std::to_string(image.height);
}

Status CheckFrames(const std::vector<FrameGroup>& groups) {
  const FrameSource* first = nullptr;
  std::map<std::uint16_t, const FrameSource*> byKey;
  for (const FrameGroup& group : groups) {
    for (const FrameSource& frame : group.frames) {
      if (!first) first = &frame;
      if (frame.image.width != first->image.width || frame.image.height != first->image.height) {
        return Fail(frame.name + " is " + SizeText(frame.image) + " pixels, but " + first->name +
                    " is " + SizeText(first->image) + "; all frames must have the same size.");
      }
      auto [it, inserted] = byKey.emplace(frame.key, &frame);
      if (!inserted) {
        return Fail(frame.name + " and " + it->second->name + " both have the frame key " +
                    std::to_string(frame.key) + ".");
      }
    }
  }
  if (!first) return Fail("There are no frames.");
  return {};
}

FramePalette ToFramePalette(const std::vector<Rgb>& colours) {
  FramePalette palette;
  std::copy(colours.begin(), colours.end(), palette.colours.begin() + 1);
  return palette;
}

std::vector<std::uint8_t> MapFrame(const RgbaImage& image, const std::vector<Rgb>& colours) {
  std::vector<std::uint8_t> indices(image.pixels.size(), kTransparentIndex);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const Rgba& pixel = image.pixels[i];
    if (!IsTransparent(pixel)) {
      indices[i] = static_cast<std::uint8_t>(1 + NearestColour(colours, ColourOf(pixel)));
    }
  }
  return indices;
}

// Stores `palette` once and returns its index.
std::size_t InternPalette(std::vector<FramePalette>& palettes, const FramePalette& palette) {
  auto it = std::find(palettes.begin(), palettes.end(), palette);
  if (it != palettes.end()) return static_cast<std::size_t>(it - palettes.begin());
  palettes.push_back(palette);
  return palettes.size() - 1;
}

void AddFrame(QuantisedFrames& out, const FrameSource& frame, const std::vector<Rgb>& colours) {
  const std::size_t palette = InternPalette(out.palettes, ToFramePalette(colours));
  out.frames.push_back({frame.key, palette, MapFrame(frame.image, colours)});
}

Status QuantiseGroup(const FrameGroup& group, QuantisedFrames& out) {
  ColourHistogram histogram;
  for (const FrameSource& frame : group.frames) CountOpaqueColours(frame.image, histogram);
  auto shared = ChoosePalette(histogram, kFrameColours, kSharedPaletteMinQuality);
  if (shared) {
    for (const FrameSource& frame : group.frames) AddFrame(out, frame, *shared);
    return {};
  }
  for (const FrameSource& frame : group.frames) {
    ColourHistogram own;
    CountOpaqueColours(frame.image, own);
    auto colours = ChoosePalette(own, kFrameColours, 0);
    if (!colours) return Fail(frame.name + ": " + colours.error());
    AddFrame(out, frame, *colours);
  }
  return {};
}

}  // namespace

Result<QuantisedFrames> QuantiseFrames(const std::vector<FrameGroup>& groups) {
  if (Status status = CheckFrames(groups); !status) return Fail(status.error());
  QuantisedFrames out;
  for (const FrameGroup& group : groups) {
    if (group.frames.empty()) continue;
    out.width = group.frames.front().image.width;
    out.height = group.frames.front().image.height;
    if (Status status = QuantiseGroup(group, out); !status) return Fail(status.error());
  }
  if (out.palettes.size() > kMaxFramePalettes) {
    return Fail("The frames need " + std::to_string(out.palettes.size()) +
                " palettes, but a card can address only 256; use fewer colours per group.");
  }
  std::sort(out.frames.begin(), out.frames.end(),
            [](const QuantisedFrame& a, const QuantisedFrame& b) { return a.key < b.key; });
  return out;
}

}  // namespace card::kit
