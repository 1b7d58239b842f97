// PNG output through stb_image_write.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "sample/art/scene.h"

namespace card::sample {

bool WritePng(const std::string& path, const Image& image) {
  return stbi_write_png(path.c_str(), image.width, image.height, 4, image.rgba.data(),
                        image.width * 4) != 0;
}

}  // namespace card::sample
