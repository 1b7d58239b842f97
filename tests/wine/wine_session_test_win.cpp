// Checks the Wine session the Windows tests run in: a display exists, and the card's fonts are
// mapped to installed look-alikes so that text is measured and drawn as on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FaceChosenFor(const char* face, int height, int weight) {
  HFONT font = CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                           FF_DONTCARE, face);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  // The face of the font actually realised; GetTextFace and the family name echo the
  // requested name when a replacement is in force.
  std::string chosen;
  if (UINT size = GetOutlineTextMetricsA(screen, 0, nullptr)) {
    std::string buffer(size, '\0');
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
    if (GetOutlineTextMetricsA(screen, size, metrics)) {
      chosen = buffer.data() + reinterpret_cast<UINT_PTR>(metrics->otmpFaceName);
    }
  }
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return chosen;
}

TEST(WineSession, HasAScreenOfTheExpectedSize) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

TEST(WineSession, MapsTheCardFontsToInstalledLookAlikes) {
  EXPECT_EQ(FaceChosenFor("Comic Sans MS", -20, FW_BOLD), "Comic Neue Bold");
  EXPECT_EQ(FaceChosenFor("MS Sans Serif", -13, FW_NORMAL), "Liberation Sans");
}

}  // namespace
