// A drawing as a list of filled shapes in painting order, and its rendering into an RGBA
// picture with a fixed palette. Every pixel comes out fully opaque or fully transparent and
// in one of the palette's colours, so the card tools keep the drawing exactly as designed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sample/art/shape.h"

namespace card::sample {

struct Colour {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Colour&) const = default;
  // The Windows COLORREF value (red in the low byte) that layout files use.
  uint32_t Ref() const { return r | (g << 8) | (b << 16); }
};

// Palette indices from dark to light (or along any blend), e.g. navy, blue-grey, white:
// a pixel where two colours of a ramp meet may take a colour that lies between them.
using Ramp = std::vector<int>;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // row by row from the top, 4 bytes a pixel

  Colour At(int x, int y) const;
  bool OpaqueAt(int x, int y) const { return rgba[(y * width + x) * 4 + 3] != 0; }
  void Set(int x, int y, Colour c);
};

class Scene {
 public:
  // Shapes drawn after Push are mapped by m (after whatever was pushed before) until Pop.
  void Push(const Affine& m);
  void Pop();

  void Fill(const Shape& s, int colour);
  // The shape with an outline of `width` around it, both painted now.
  void Outlined(const Shape& s, int colour, int outline, double width);

  // Pixels whose area is less than half covered stay transparent. The others take the
  // palette colour nearest to the mean of what covers them, chosen among those colours and
  // the ones between them on a ramp, which smooths inner edges without odd hues.
  Image Render(int width, int height, const std::vector<Colour>& palette,
               const std::vector<Ramp>& ramps, int supersample = 4) const;

 private:
  struct Command {
    Shape shape;
    Affine toLocal;
    Box screenBox;
    int colour;
  };
  std::vector<Affine> stack_{Affine{}};
  std::vector<Command> commands_;
};

// Writes the picture as an RGBA PNG file; false when the file cannot be written.
bool WritePng(const std::string& path, const Image& image);

}  // namespace card::sample
