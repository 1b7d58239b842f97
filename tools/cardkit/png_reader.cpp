// PNG decoding through stb_image, limited to PNG and to pictures of a sensible size.
#include "tools/cardkit/png_reader.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS card::kit::kMaxPngSide
#include <stb_image.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

namespace card::kit {

Result<RgbaImage> ReadPng(ByteView bytes, std::string_view name) {
  const std::string where(name);
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return Fail(where + " is too large.");
  int width = 0;
  int height = 0;
  int channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> data(
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                            &channels, 4),
      stbi_image_free);
  if (!data) {
    return Fail(where + " is not a PNG picture cardkit can read (" + stbi_failure_reason() + ").");
  }
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height);
  std::memcpy(image.pixels.data(), data.get(), image.pixels.size() * 4);
  return image;
}

}  // namespace card::kit
