// The floor that card.exe is measured against: the least a Win32 program does for what a person
// sees of the card.
//   floor.exe start     a bare top-level window, shown at once
//   floor.exe animate   a topmost popup of one frame (96 x 96) that every 100 ms moves, reads
//                       the screen under its new place, composes a figure over it with two
//                       blits (mask, then image) and presents the result
#include <windows.h>

#include <cstring>

namespace {

constexpr int kSide = 96;
constexpr UINT_PTR kTimer = 1;

struct Figure {
  HDC screen = nullptr;
  HDC background = nullptr;
  HDC compose = nullptr;
  HDC mask = nullptr;
  HDC image = nullptr;
  int x = 0;
  int y = 0;
};
Figure figure;

HDC Surface(HDC reference, COLORREF fill) {
  HDC dc = CreateCompatibleDC(reference);
  SelectObject(dc, CreateCompatibleBitmap(reference, kSide, kSide));
  RECT all{0, 0, kSide, kSide};
  HBRUSH brush = CreateSolidBrush(fill);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  return dc;
}

void MakeFigure() {
  figure.screen = GetDC(nullptr);
  figure.background = Surface(figure.screen, RGB(0, 0, 0));
  figure.compose = Surface(figure.screen, RGB(0, 0, 0));
  // A disc: black in the mask (cleared), white around it (kept); coloured in the image.
  figure.mask = Surface(figure.screen, RGB(255, 255, 255));
  figure.image = Surface(figure.screen, RGB(0, 0, 0));
  SelectObject(figure.mask, GetStockObject(BLACK_BRUSH));
  Ellipse(figure.mask, 8, 8, kSide - 8, kSide - 8);
  HBRUSH red = CreateSolidBrush(RGB(200, 40, 40));
  SelectObject(figure.image, red);
  Ellipse(figure.image, 8, 8, kSide - 8, kSide - 8);
}

void Tick(HWND window) {
  figure.x = (figure.x + 4) % (GetSystemMetrics(SM_CXSCREEN) - kSide);
  BitBlt(figure.background, 0, 0, kSide, kSide, figure.screen, figure.x, figure.y, SRCCOPY);
  MoveWindow(window, figure.x, figure.y, kSide, kSide, FALSE);
  BitBlt(figure.compose, 0, 0, kSide, kSide, figure.background, 0, 0, SRCCOPY);
  BitBlt(figure.compose, 0, 0, kSide, kSide, figure.mask, 0, 0, SRCAND);
  BitBlt(figure.compose, 0, 0, kSide, kSide, figure.image, 0, 0, SRCPAINT);
  HDC dc = GetDC(window);
  BitBlt(dc, 0, 0, kSide, kSide, figure.compose, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
}

LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      Tick(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const bool animate = std::strstr(commandLine, "animate") != nullptr;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "floor";
  RegisterClassA(&windowClass);
  HWND window = animate ? CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "floor", "floor",
                                          WS_POPUP, 0, 0, kSide, kSide, nullptr, nullptr,
                                          instance, nullptr)
                        : CreateWindowExA(0, "floor", "floor", WS_OVERLAPPEDWINDOW, 100, 100,
                                          320, 200, nullptr, nullptr, instance, nullptr);
  if (animate) {
    MakeFigure();
    SetTimer(window, kTimer, 100, nullptr);
  }
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
