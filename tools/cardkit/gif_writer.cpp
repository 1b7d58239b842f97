// GIF encoding through giflib: a local colour map per stored area, no disposal, delays in
// hundredths of a second.
#include "tools/cardkit/gif_writer.h"

#include "tools/cardkit/colour_quantiser.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace card::kit {
namespace {

int AppendBytes(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

Status GifFailure(int error) {
  const char* text = GifErrorString(error);
  return Fail(std::string("The GIF cannot be written: ") + (text ? text : "unknown error") + ".");
}

// The colours of the area, exactly when there are at most 256, else reduced by the quantiser.
std::vector<Rgb> AreaColours(const RgbImage& area) {
  ColourHistogram histogram;
  for (const Rgb& colour : area.pixels) ++histogram[colour];
  auto colours = ChoosePalette(histogram, 256, 0);
  return colours ? *colours : std::vector<Rgb>{Rgb{}};
}

Status PutLoopForEver(GifFileType* gif) {
  static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoop[] = {1, 0, 0};  // sub-block 1, loop count 0: for ever
  if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
      EGifPutExtensionBlock(gif, sizeof kNetscape, kNetscape) == GIF_ERROR ||
      EGifPutExtensionBlock(gif, sizeof kLoop, kLoop) == GIF_ERROR ||
      EGifPutExtensionTrailer(gif) == GIF_ERROR) {
    return GifFailure(gif->Error);
  }
  return {};
}

Status PutDelay(GifFileType* gif, int delay) {
  GraphicsControlBlock control{DISPOSE_DO_NOT, false, std::min(delay, 65535), NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  const auto length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
      GIF_ERROR) {
    return GifFailure(gif->Error);
  }
  return {};
}

Status PutArea(GifFileType* gif, const RgbImage& area, int left, int top) {
  const std::vector<Rgb> colours = AreaColours(area);
  int mapSize = 2;
  while (mapSize < static_cast<int>(colours.size())) mapSize *= 2;
  std::vector<GifColorType> map(mapSize, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < colours.size(); ++i) {
    map[i] = {colours[i].r, colours[i].g, colours[i].b};
  }
  std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> colourMap(
      GifMakeMapObject(mapSize, map.data()), GifFreeMapObject);
  if (!colourMap || EGifPutImageDesc(gif, left, top, area.width, area.height, false,
                                     colourMap.get()) == GIF_ERROR) {
    return GifFailure(gif->Error);
  }
  std::map<Rgb, GifPixelType> indexOf;
  std::vector<GifPixelType> line(static_cast<std::size_t>(area.width));
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const Rgb colour = area.At(x, y);
      auto [it, inserted] = indexOf.emplace(colour, 0);
      if (inserted) it->second = static_cast<GifPixelType>(NearestColour(colours, colour));
      line[x] = it->second;
    }
    if (EGifPutLine(gif, line.data(), area.width) == GIF_ERROR) return GifFailure(gif->Error);
  }
  return {};
}

}  // namespace

GifWriter::GifWriter(int width, int height) : width_(width), height_(height) {}

void GifWriter::AddFrame(const RgbImage& picture, int delayCentiseconds) {
  int left = width_, top = height_, right = 0, bottom = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (shown_ && shown_->At(x, y) == picture.At(x, y)) continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
      top = std::min(top, y);
      bottom = std::max(bottom, y + 1);
    }
  }
  if (right == 0 && !frames_.empty()) {
    frames_.back().delay += delayCentiseconds;
    return;
  }
  if (right == 0) left = top = 0, right = bottom = 1;  // a GIF image needs at least one pixel
  Area area{{right - left, bottom - top, {}}, left, top, delayCentiseconds};
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) area.pixels.pixels.push_back(picture.At(x, y));
  }
  frames_.push_back(std::move(area));
  shown_ = picture;
}

Result<std::vector<std::uint8_t>> GifWriter::Finish() {
  if (frames_.empty()) return Fail("The animation has no frames.");
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendBytes, &error);
  if (!gif) return Fail(GifFailure(error).error());
  EGifSetGifVersion(gif, true);
  Status status;
  if (EGifPutScreenDesc(gif, width_, height_, 8, 0, nullptr) == GIF_ERROR) {
    status = GifFailure(gif->Error);
  }
  if (status) status = PutLoopForEver(gif);
  for (const Area& frame : frames_) {
    if (status) status = PutDelay(gif, frame.delay);
    if (status) status = PutArea(gif, frame.pixels, frame.left, frame.top);
  }
  if (EGifCloseFile(gif, &error) == GIF_ERROR && status) status = GifFailure(error);
  if (!status) return Fail(status.error());
  return out;
}

}  // namespace card::kit
