// The program-wide drawing objects (see card_look_win.h).
#include "shell/card_look_win.h"

#include "common/colour.h"

#include <memory>

namespace card {

void CardLook::MakeBrushes() {
  if (backgroundBrush) return;
  backgroundBrush.Reset(CreateSolidBrush(colours.background));
  buttonFaceBrush.Reset(CreateSolidBrush(colours.buttonFace));
}

CardLook& TheCardLook() {
  static CardLook look;
  return look;
}

Palette MakeCardPalette(const std::vector<std::uint32_t>& entries) {
  if (entries.empty()) return Palette();
  // LOGPALETTE declares one entry and is followed by the rest.
  const size_t bytes = sizeof(LOGPALETTE) + (entries.size() - 1) * sizeof(PALETTEENTRY);
  auto storage = std::make_unique<unsigned char[]>(bytes);
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.get());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const Rgb colour = RgbOf(entries[i]);
    palette->palPalEntry[i] = PALETTEENTRY{colour.r, colour.g, colour.b, 0};
  }
  return Palette(CreatePalette(palette));
}

Font MakeButtonFont(const DisplayScale& scale) {
  LOGFONTA font{};
  font.lfHeight = -scale.ToDevice(18);
  font.lfWeight = 600;
  font.lfCharSet = ANSI_CHARSET;
  font.lfPitchAndFamily = FF_SWISS;
  return Font(CreateFontIndirectA(&font));
}

}  // namespace card
