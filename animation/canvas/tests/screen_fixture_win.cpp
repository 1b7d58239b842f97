// Test support for the figure window (see screen_fixture_win.h).
#include "animation/canvas/tests/screen_fixture_win.h"

#include "animation/fas/fas_writer.h"
#include "animation/fas/palette_record.h"

#include <sstream>
#include <stdexcept>

namespace card::testing {
namespace {

constexpr BYTE kPatternBlue = 0x40;

// A 32-bit top-down bitmap of width x height, whose pixels are 0x00RRGGBB words.
BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

std::uint8_t Nibble(int x, int y, std::uint8_t inside) {
  return InFigure(x, y) ? inside : 0;
}

}  // namespace

bool IsFigureColour(COLORREF colour) { return GetBValue(colour) == 250; }

bool InFigure(int x, int y) {
  return x >= kRing && x < kFigureWidth - kRing && y >= kRing && y < kFigureHeight - kRing;
}

std::vector<std::uint8_t> FigureFasBytes(
    const std::vector<std::pair<std::string, std::string>>& scripts) {
  // One palette record: colour 0 transparent, colour i + 1 the inside of frame i.
  std::array<Rgb, kPaletteColours> colours{};
  for (std::size_t i = 0; i < kFigureFrames.size(); ++i) {
    const COLORREF c = kFigureFrames[i].colour;
    colours[i + 1] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  }
  FasContents contents;
  contents.width = kFigureWidth;
  contents.height = kFigureHeight;
  contents.frameBytes = *FrameBytesFor(kFigureWidth, kFigureHeight);
  contents.paletteRecords.push_back(*MakePaletteRecord(colours, 0, kFigureWidth, kFigureHeight));
  for (const auto& [name, text] : scripts) contents.scripts.push_back({name, text});

  const int stride = contents.frameBytes / kFigureHeight;
  for (std::size_t i = 0; i < kFigureFrames.size(); ++i) {
    FasFrame frame;
    frame.key = kFigureFrames[i].key;
    frame.pixels.assign(contents.frameBytes, 0);
    const auto inside = static_cast<std::uint8_t>(i + 1);
    for (int y = 0; y < kFigureHeight; ++y) {
      const int row = kFigureHeight - 1 - y;  // bottom-up
      for (int x = 0; x < kFigureWidth; x += 2) {
        frame.pixels[row * stride + x / 2] =
            static_cast<std::uint8_t>(Nibble(x, y, inside) << 4 | Nibble(x + 1, y, inside));
      }
    }
    contents.frames.push_back(std::move(frame));
  }
  auto bytes = WriteFas(contents);
  if (!bytes) throw std::runtime_error(bytes.error());
  return *bytes;
}

std::unique_ptr<FasFile> OpenFas(const std::vector<std::uint8_t>& bytes) {
  auto fas = FasFile::FromBytes(bytes, "Card.FAS");
  if (!fas) throw std::runtime_error(fas.error());
  return std::move(*fas);
}

COLORREF PatternAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, kPatternBlue); }

PatternWindow::PatternWindow() {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = PatternAt(x, y);
      pixels[y * width + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
  }
  selected_ = std::make_unique<Selection>(pattern_, bitmap_);
  Create(0, nullptr, "pattern", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
  UpdateWindow(Handle());
}

PatternWindow::~PatternWindow() { Destroy(); }

void PatternWindow::OnPaint() {
  PaintDC dc(Handle());
  const RECT& r = dc.UpdateRect();
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, pattern_, r.left, r.top, SRCCOPY);
}

bool PatternWindow::OnEraseBkgnd(HDC) { return true; }

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

ScreenShot::ScreenShot()
    : width_(GetSystemMetrics(SM_CXSCREEN)), height_(GetSystemMetrics(SM_CYSCREEN)) {
  const BITMAPINFO info = TopDown32(width_, height_);
  void* bits = nullptr;
  Bitmap shot(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  CompatibleDC memory(nullptr);
  Selection selected(memory, shot);
  BitBlt(memory, 0, 0, width_, height_, ClientDC(nullptr), 0, 0, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const std::uint32_t*>(bits);
  pixels_.assign(source, source + static_cast<std::size_t>(width_) * height_);
}

COLORREF ScreenShot::At(int x, int y) const {
  const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

namespace {

std::string Describe(COLORREF c) {
  std::ostringstream out;
  out << "(" << int{GetRValue(c)} << "," << int{GetGValue(c)} << "," << int{GetBValue(c)} << ")";
  return out.str();
}

std::string Mismatches(const ScreenShot& shot, const ExpectedScreen& expected) {
  int count = 0;
  std::ostringstream out;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const COLORREF want = expected(x, y);
      const COLORREF got = shot.At(x, y);
      if (want == got) continue;
      if (count < 8) {
        out << " at (" << x << "," << y << ") want " << Describe(want) << " got " << Describe(got)
            << (IsFigureColour(got) ? " [figure]" : "") << ";";
      }
      ++count;
    }
  }
  if (count == 0) return "";
  return std::to_string(count) + " pixels differ:" + out.str();
}

}  // namespace

std::string WaitForScreen(const ExpectedScreen& expected) {
  const DWORD deadline = GetTickCount() + 2000;
  std::string problem;
  do {
    PumpMessages();
    problem = Mismatches(ScreenShot(), expected);
    if (problem.empty()) return problem;
    Sleep(20);
  } while (static_cast<LONG>(GetTickCount() - deadline) < 0);
  return problem;
}

ExpectedScreen PatternWithFigure(POINT topLeft, COLORREF colour) {
  return [topLeft, colour](int x, int y) {
    const int fx = x - topLeft.x;
    const int fy = y - topLeft.y;
    if (fx >= 0 && fy >= 0 && fx < kFigureWidth && fy < kFigureHeight && InFigure(fx, fy)) {
      return colour;
    }
    return PatternAt(x, y);
  };
}

}  // namespace card::testing
