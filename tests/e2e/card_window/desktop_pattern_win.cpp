// desktop_pattern.exe: covers the whole screen, below every other window, with a pattern in
// which each pixel's colour tells where it is, so that a screenshot shows any pixel the card
// leaves out of place: a trail where the figure was, or screen pixels saved at the wrong spot.
// The pixel at (x, y) is red x mod 256, green y mod 256, blue 64 + 8 * (x div 256 mod 8)
// + (y div 256 mod 8); screen.py computes the same. Blue stays within 64..127, so colours
// outside that band are never pattern. Runs until it is ended.
#include <windows.h>

#include <cstdint>

namespace {

constexpr const char* kTitle = "E2E desktop pattern";

HBITMAP pattern = nullptr;
HDC patternDC = nullptr;

std::uint32_t PatternPixel(int x, int y) {
  const std::uint32_t red = static_cast<std::uint32_t>(x) & 0xFF;
  const std::uint32_t green = static_cast<std::uint32_t>(y) & 0xFF;
  const std::uint32_t blue = 64 + 8 * ((static_cast<std::uint32_t>(x) >> 8) & 7) +
                             ((static_cast<std::uint32_t>(y) >> 8) & 7);
  return (red << 16) | (green << 8) | blue;  // a 32-bit DIB pixel: 0x00RRGGBB
}

void MakePattern(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  pattern = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels[y * width + x] = PatternPixel(x, y);
  }
  patternDC = CreateCompatibleDC(nullptr);
  SelectObject(patternDC, pattern);
}

LRESULT CALLBACK PatternProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      const RECT& r = paint.rcPaint;
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, patternDC, r.left, r.top,
             SRCCOPY);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  MakePattern(width, height);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PatternProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = "E2EDesktopPattern";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName,
                                kTitle, WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
