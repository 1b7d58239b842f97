// The trampoline, the binding of objects to windows and the dispatch switch (see window_win.h).
#include "framework/window_win.h"

#include "framework/unhandled_win.h"

#include <exception>

namespace card {
namespace {

// Marks a window whose GWLP_USERDATA holds one of our objects, so that a foreign window's user
// data is never taken for an object.
constexpr const char* kBoundProperty = "CardFrameworkBound";

POINT PointFrom(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}


}  // namespace

Window::~Window() {
  HWND hwnd = hwnd_;
  const bool owned = owned_;
  Unbind();
  if (owned && hwnd) DestroyWindow(hwnd);
}

Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd || !GetPropA(hwnd, kBoundProperty)) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool Window::Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) {
  if (hwnd_) return false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  const bool ours = className == nullptr;
  if (ours) {
    WNDCLASSA existing{};
    if (!GetClassInfoA(instance, kClassName, &existing)) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = Trampoline;
      wc.hInstance = instance;
      wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
      wc.lpszClassName = kClassName;
      if (!RegisterClassA(&wc)) return false;
    }
  }
  HWND hwnd = CreateWindowExA(exStyle, ours ? kClassName : className, title, style, x, y, width,
                              height, parent, menuOrId, instance, ours ? this : nullptr);
  if (!hwnd) return false;
  if (!ours && !Subclass(hwnd)) {
    DestroyWindow(hwnd);
    return false;
  }
  owned_ = true;
  return true;
}

bool Window::Subclass(HWND hwnd) {
  if (hwnd_ || !IsWindow(hwnd) || FromHandle(hwnd)) return false;
  Bind(hwnd);
  PreSubclassWindow();
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Trampoline)));
  return true;
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Window::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetPropA(hwnd, kBoundProperty, reinterpret_cast<HANDLE>(1));
}

void Window::Unbind() {
  if (!hwnd_) return;
  // Give a subclassed window its own procedure back, unless someone subclassed it after us.
  if (original_ &&
      GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(Trampoline)) {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  }
  RemovePropA(hwnd_, kBoundProperty);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  original_ = nullptr;
  owned_ = false;
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) self->Bind(hwnd);
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Handlers may send messages to their own window, so the message being handled nests.
  const CurrentMessage outer = current_;
  current_ = {msg, wParam, lParam};
  ++depth_;
  LRESULT result = 0;
  try {
    result = HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    ReportUnhandled(msg, e.what());
  } catch (...) {
    ReportUnhandled(msg, "an exception that is not a std::exception");
  }
  current_ = outer;
  --depth_;
  if (msg == WM_NCDESTROY) {
    Unbind();
    finalPending_ = true;
  }
  // A handler that destroyed its own window is still running further up the stack, so the
  // final call, which may delete this object, waits until the outermost message has returned.
  if (finalPending_ && depth_ == 0) {
    finalPending_ = false;
    OnFinalMessage();  // nothing may follow
  }
  return result;
}

LRESULT Window::Default() {
  const CurrentMessage& m = current_;
  if (original_) return CallWindowProcA(original_, hwnd_, m.msg, m.wParam, m.lParam);
  return DefWindowProcA(hwnd_, m.msg, m.wParam, m.lParam);
}

LRESULT Window::Reflect(HWND control, UINT reflected, WPARAM wParam, LPARAM lParam) {
  Window* child = control != hwnd_ ? FromHandle(control) : nullptr;
  if (!child) return Default();
  if (reflected == kMsgReflectedDrawItem) {
    child->Send(reflected, wParam, lParam);
    return TRUE;
  }
  if (LRESULT answer = child->Send(reflected, wParam, lParam)) return answer;
  return Default();
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:  // void OnPaint()
      OnPaint();
      return 0;
    case WM_ERASEBKGND:  // bool OnEraseBkgnd(HDC)
      return OnEraseBkgnd(reinterpret_cast<HDC>(wParam)) ? TRUE : FALSE;
    case WM_WINDOWPOSCHANGING:  // void OnWindowPosChanging(WINDOWPOS&)
      OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case WM_TIMER:  // void OnTimer(UINT_PTR id)
      OnTimer(static_cast<UINT_PTR>(wParam));
      return 0;
    case WM_MOUSEMOVE:  // void OnMouseMove(UINT keys, POINT client)
      OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam));
      return 0;
    case WM_LBUTTONDOWN:  // void OnLButtonDown(UINT keys, POINT client)
      OnLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam));
      return 0;
    case WM_LBUTTONUP:  // void OnLButtonUp(UINT keys, POINT client)
      OnLButtonUp(static_cast<UINT>(wParam), PointFrom(lParam));
      return 0;
    case WM_SETCURSOR:  // bool OnSetCursor(HWND under, UINT hitTest, UINT mouseMsg)
      return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)) ? TRUE
                                                                                          : FALSE;
    case WM_QUERYNEWPALETTE:  // bool OnQueryNewPalette()
      return OnQueryNewPalette() ? TRUE : FALSE;
    case WM_PALETTECHANGED:  // void OnPaletteChanged(HWND changer)
      OnPaletteChanged(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_COMMAND:  // bool OnCommand(int id, int code, HWND control)
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      return Default();
    case WM_DESTROY:  // void OnDestroy()
      OnDestroy();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:  // reflected as HBRUSH OnCtlColor(HDC, UINT ctlType)
      return Reflect(reinterpret_cast<HWND>(lParam), kMsgReflectedCtlColor, wParam,
                     static_cast<LPARAM>(msg - WM_CTLCOLORMSGBOX));
    case WM_DRAWITEM: {  // reflected as void DrawItem(const DRAWITEMSTRUCT&)
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU) return Default();
      return Reflect(item->hwndItem, kMsgReflectedDrawItem, wParam, lParam);
    }
    case kMsgReflectedCtlColor:
      return reinterpret_cast<LRESULT>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam)));
    case kMsgReflectedDrawItem:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    default:
      return Default();
  }
}

void Window::OnPaint() { Default(); }
bool Window::OnEraseBkgnd(HDC) { return Default() != 0; }
void Window::OnWindowPosChanging(WINDOWPOS&) { Default(); }
void Window::OnTimer(UINT_PTR) { Default(); }
void Window::OnMouseMove(UINT, POINT) { Default(); }
void Window::OnLButtonDown(UINT, POINT) { Default(); }
void Window::OnLButtonUp(UINT, POINT) { Default(); }
bool Window::OnSetCursor(HWND, UINT, UINT) { return Default() != 0; }
bool Window::OnQueryNewPalette() { return Default() != 0; }
void Window::OnPaletteChanged(HWND) { Default(); }
bool Window::OnCommand(int, int, HWND) { return false; }
void Window::OnDestroy() { Default(); }
HBRUSH Window::OnCtlColor(HDC, UINT) { return nullptr; }
void Window::DrawItem(const DRAWITEMSTRUCT&) {}

}  // namespace card
