// PNG encoding through stb_image_write, kept private to this file (the tests link their own).
#include "tools/cardkit/png_writer.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace card::kit {
namespace {

std::vector<std::uint8_t> Encode(const void* pixels, int width, int height, int channels) {
  std::vector<std::uint8_t> out;
  const auto write = [](void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* begin = static_cast<const std::uint8_t*>(data);
    bytes->insert(bytes->end(), begin, begin + size);
  };
  stbi_write_png_to_func(write, &out, width, height, channels, pixels, width * channels);
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
  static_assert(sizeof(Rgba) == 4);
  return Encode(image.pixels.data(), image.width, image.height, 4);
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
  static_assert(sizeof(Rgb) == 3);
  return Encode(image.pixels.data(), image.width, image.height, 3);
}

}  // namespace card::kit
