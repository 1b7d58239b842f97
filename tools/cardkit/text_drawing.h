// Text drawn into a picture with FreeType, for the card window's preview: the message and the
// button captions in the faces and sizes the card asks for (their Debian look-alikes).
#pragma once

#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <memory>
#include <string>
#include <string_view>

namespace card::kit {

class TextFace {
 public:
  // The font file at `path`, `pixelHeight` pixels to the em, as a font of height -N asks for.
  static Result<std::unique_ptr<TextFace>> Open(const std::string& path, int pixelHeight);
  ~TextFace();
  TextFace(const TextFace&) = delete;
  TextFace& operator=(const TextFace&) = delete;

  // Text is Windows-1252, as the card's files hold it.
  int Width(std::string_view text) const;
  int Height() const;  // from the top of a line to the bottom of its descenders
  // Draws `text` with its line's top-left at (x, y), blending the glyphs' edges.
  void Draw(RgbImage& picture, int x, int y, std::string_view text, Rgb colour) const;

 private:
  struct Library;
  explicit TextFace(std::unique_ptr<Library> library);
  std::unique_ptr<Library> library_;
};

}  // namespace card::kit
