// FreeType behind TextFace: one library and face per TextFace, glyphs rendered as grey levels.
#include "tools/cardkit/text_drawing.h"

#include "newcard/windows1252_codec.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace card::kit {

struct TextFace::Library {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Library() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

namespace {

std::u16string Characters(std::string_view text) {
  static const Windows1252Codec codec;
  return codec.ToUtf16(text);
}

std::uint8_t Blend(std::uint8_t under, std::uint8_t over, unsigned coverage) {
  return static_cast<std::uint8_t>((under * (255 - coverage) + over * coverage + 127) / 255);
}

}  // namespace

TextFace::TextFace(std::unique_ptr<Library> library) : library_(std::move(library)) {}
TextFace::~TextFace() = default;

Result<std::unique_ptr<TextFace>> TextFace::Open(const std::string& path, int pixelHeight) {
  auto library = std::make_unique<Library>();
  if (FT_Init_FreeType(&library->library) != 0) return Fail("FreeType cannot start.");
  if (FT_New_Face(library->library, path.c_str(), 0, &library->face) != 0 ||
      FT_Set_Pixel_Sizes(library->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
    return Fail("The font " + path + " cannot be opened; tools/install-deps installs it.");
  }
  return std::unique_ptr<TextFace>(new TextFace(std::move(library)));
}

int TextFace::Width(std::string_view text) const {
  long width = 0;
  for (char16_t c : Characters(text)) {
    if (FT_Load_Char(library_->face, c, FT_LOAD_DEFAULT) == 0) {
      width += library_->face->glyph->advance.x;
    }
  }
  return static_cast<int>(width >> 6);
}

int TextFace::Height() const {
  const FT_Size_Metrics& metrics = library_->face->size->metrics;
  return static_cast<int>((metrics.ascender - metrics.descender) >> 6);
}

void TextFace::Draw(RgbImage& picture, int x, int y, std::string_view text, Rgb colour) const {
  FT_Face face = library_->face;
  const int baseline = y + static_cast<int>(face->size->metrics.ascender >> 6);
  long penX = static_cast<long>(x) << 6;
  for (char16_t c : Characters(text)) {
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot glyph = face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int left = static_cast<int>(penX >> 6) + glyph->bitmap_left;
    const int top = baseline - glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      for (unsigned column = 0; column < bitmap.width; ++column) {
        const int px = left + static_cast<int>(column), py = top + static_cast<int>(row);
        if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) continue;
        const unsigned coverage = bitmap.buffer[row * bitmap.pitch + column];
        Rgb& pixel = picture.At(px, py);
        pixel = {Blend(pixel.r, colour.r, coverage), Blend(pixel.g, colour.g, coverage),
                 Blend(pixel.b, colour.b, coverage)};
      }
    }
    penX += glyph->advance.x;
  }
}

}  // namespace card::kit
