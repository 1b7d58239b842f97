// The message font (see message_font_win.h).
#include "message/message_font_win.h"

#include "framework/gdi_win.h"

#include <cstring>

namespace card {
namespace {

Font MakeMessageFont() {
  LOGFONTA font{};
  font.lfHeight = -20;
  font.lfWeight = 700;
  font.lfPitchAndFamily = FF_SWISS;
  std::strcpy(font.lfFaceName, "Comic Sans MS");
  return Font(CreateFontIndirectA(&font));
}

}  // namespace

HFONT MessageFont() {
  static const Font messageFont = MakeMessageFont();
  return messageFont.Get();
}

}  // namespace card
