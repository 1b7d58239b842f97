// frame_reference CARD.FAS KEY R G B OUT.ppm: draws frame KEY of a Card.FAS over a plain
// colour the way cardkit's preview draws the figure, and writes it as a binary PPM. The browser
// tests compare the figure on the page with it.
#include "animation/fas/fas_file.h"
#include "tools/cardkit/frame_drawing.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 7) {
    std::cerr << "usage: frame_reference CARD.FAS KEY R G B OUT.ppm\n";
    return 2;
  }
  auto fas = card::FasFile::Open(argv[1]);
  if (!fas) {
    std::cerr << fas.error() << '\n';
    return 1;
  }
  auto frame = card::DecodeFrame(**fas, std::atoi(argv[2]));
  if (!frame) {
    std::cerr << frame.error() << '\n';
    return 1;
  }
  const card::Rgb backdrop{static_cast<std::uint8_t>(std::atoi(argv[3])),
                                static_cast<std::uint8_t>(std::atoi(argv[4])),
                                static_cast<std::uint8_t>(std::atoi(argv[5]))};
  card::kit::RgbImage canvas{frame->width, frame->height,
                             std::vector<card::Rgb>(
                                 static_cast<std::size_t>(frame->width) * frame->height, backdrop)};
  card::kit::DrawFrame(*frame, canvas, 0, 0);
  std::ofstream out(argv[6], std::ios::binary);
  out << "P6\n" << canvas.width << ' ' << canvas.height << "\n255\n";
  for (const card::Rgb& pixel : canvas.pixels) out << pixel.r << pixel.g << pixel.b;
  return out ? 0 : 1;
}
