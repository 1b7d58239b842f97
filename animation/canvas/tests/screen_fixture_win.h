// Test support for the figure window: a tiny Card.FAS made with the core's writer, a desktop
// stand-in painted with a pattern whose every pixel says where it is, and a reader of the real
// screen that compares it with what should be there, waiting for Wine to show it.
#pragma once

#include "animation/fas/fas_file.h"
#include "framework/gdi_win.h"
#include "framework/window_win.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace card::testing {

// The figure: 16 x 12 frames whose outer 3-pixel ring is transparent; the inside is one colour
// per frame, and every figure colour has blue 250, which the pattern never has.
constexpr int kFigureWidth = 16;
constexpr int kFigureHeight = 12;
constexpr int kRing = 3;
struct FigureFrame {
  std::uint16_t key;
  COLORREF colour;
};
inline const std::vector<FigureFrame> kFigureFrames{
    {1, RGB(10, 200, 250)},
    {2, RGB(200, 10, 250)},
    {912, RGB(120, 120, 250)},
    {65534, RGB(250, 250, 250)},
};
bool IsFigureColour(COLORREF colour);
// Whether pixel (x, y) of a frame belongs to the figure (is not transparent).
bool InFigure(int x, int y);

// Card.FAS bytes with the frames above and the given scripts (name, text), and the file read
// back from them. The bytes must outlive the file.
std::vector<std::uint8_t> FigureFasBytes(const std::vector<std::pair<std::string, std::string>>& scripts);
std::unique_ptr<FasFile> OpenFas(const std::vector<std::uint8_t>& bytes);

// The desktop's pattern colour at screen pixel (x, y).
COLORREF PatternAt(int x, int y);

// A window covering the whole screen, painted with the pattern.
class PatternWindow : public Window {
 public:
  PatternWindow();
  ~PatternWindow() override;

 protected:
  void OnPaint() override;
  bool OnEraseBkgnd(HDC dc) override;

 private:
  Bitmap bitmap_;
  CompatibleDC pattern_{nullptr};
  std::unique_ptr<Selection> selected_;
};

// Handles the messages waiting for this thread's windows.
void PumpMessages();

// Pixel of the screen as it is now.
class ScreenShot {
 public:
  ScreenShot();
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

using ExpectedScreen = std::function<COLORREF(int x, int y)>;

// Pumps messages until the screen shows `expected` everywhere or two seconds have passed.
// Empty when it does; otherwise a description of the mismatches.
std::string WaitForScreen(const ExpectedScreen& expected);

// The pattern with the figure's frame `colour` at `topLeft`, its ring transparent.
ExpectedScreen PatternWithFigure(POINT topLeft, COLORREF colour);

}  // namespace card::testing
