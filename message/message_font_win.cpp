// The message font (see message_font_win.h).
#include "message/message_font_win.h"

#include "framework/gdi_win.h"

#include <cstring>
#include <map>

namespace card {
namespace {

Font MakeMessageFont(const DisplayScale& scale) {
  LOGFONTA font{};
  font.lfHeight = -scale.ToDevice(20);
  font.lfWeight = 700;
  font.lfPitchAndFamily = FF_SWISS;
  std::strcpy(font.lfFaceName, "Comic Sans MS");
  return Font(CreateFontIndirectA(&font));
}

}  // namespace

HFONT MessageFont(const DisplayScale& scale) {
  // A card meets few scales in its life: one font each, made on first use.
  static std::map<int, Font> fonts;
  auto [place, made] = fonts.try_emplace(scale.Dpi());
  if (made) place->second = MakeMessageFont(scale);
  return place->second.Get();
}

}  // namespace card
