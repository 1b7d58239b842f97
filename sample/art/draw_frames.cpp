// Draws the snowman's animation frames into OUT/<animation>/<key>.png, the frame folders of
// a card source.
#include <cstdio>
#include <filesystem>
#include <string>

#include "sample/art/snowman_frames.h"

int main(int argc, char** argv) {
  using namespace card::sample;
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_frames OUT_DIR\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  for (const SnowmanFrame& frame : SnowmanFrames()) {
    const std::filesystem::path dir = out / frame.animation;
    std::filesystem::create_directories(dir);
    const std::string file = (dir / (std::to_string(frame.key) + ".png")).string();
    if (!WritePng(file, DrawSnowman(frame.pose))) {
      std::fprintf(stderr, "draw_frames: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
