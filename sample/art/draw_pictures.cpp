// Draws the card's pictures into OUT/: back.png, moon.png (the moon's hover image) and logo.png.
#include <cstdio>
#include <filesystem>
#include <string>

#include "sample/art/card_pictures.h"

int main(int argc, char** argv) {
  using namespace card::sample;
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_pictures OUT_DIR\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::filesystem::create_directories(out);
  const struct {
    const char* name;
    Image image;
  } pictures[] = {{"back", DrawCardBack()}, {"moon", DrawMoonAwake()}, {"logo", DrawLogo()}};
  for (const auto& picture : pictures) {
    const std::string file = (out / (std::string(picture.name) + ".png")).string();
    if (!WritePng(file, picture.image)) {
      std::fprintf(stderr, "draw_pictures: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
