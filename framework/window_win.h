// The window base class of the card's thin layer over Win32.
//
// A `Window` object is bound to one HWND by a single static window procedure (a trampoline):
//   - windows of our own class (kClassName) bind at WM_NCCREATE, from lpCreateParams;
//   - windows of any other class (a system class such as "Static", or a control of a dialog
//     template) are subclassed: `Subclass` (or `Create` with a system class, which subclasses
//     right after CreateWindowEx returns) stores `this`, calls `PreSubclassWindow`, then puts the
//     trampoline in place of the class's procedure, which stays the default handling;
//   - dialogs bind at WM_INITDIALOG (see dialog_win.h).
// `this` lives in GWLP_USERDATA from binding until WM_NCDESTROY, the last message, where it is
// cleared and the original procedure restored.
//
// Every message goes to the virtual `HandleMessage`, a plain switch that unpacks WPARAM/LPARAM
// once and calls a typed handler. A handler that does not override the base's passes the message
// on with `Default()`, which hands the message being handled to the original procedure (or
// DefWindowProc). Derived classes handle private messages by overriding `HandleMessage`, with a
// switch of their own in front of the base's.
//
// Control messages are reflected to the control that caused them, when it is one of ours:
// WM_CTLCOLOR* come back as kMsgReflectedCtlColor (answered by `OnCtlColor`), WM_DRAWITEM as
// kMsgReflectedDrawItem (answered by `DrawItem`). No exception leaves the window procedure.
#pragma once

#include <windows.h>

namespace card {

// The reflected messages: the control-colour one (wParam HDC, lParam CTLCOLOR_* type, result the
// brush or 0 for the parent's default) and the owner-draw one (lParam DRAWITEMSTRUCT*).
constexpr UINT kReflectBase = 0xBC00;
constexpr UINT kMsgReflectedCtlColor = kReflectBase + 0x0019;
constexpr UINT kMsgReflectedDrawItem = kReflectBase + WM_DRAWITEM;

class Window {
 public:
  // The window class that binds its objects at WM_NCCREATE; registered on first use.
  static constexpr const char* kClassName = "CardFrameworkWindow";

  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Unbinds, and destroys the window when this object created it.
  virtual ~Window();

  HWND Handle() const { return hwnd_; }
  // The object bound to `hwnd`, or null for a window that is not ours.
  static Window* FromHandle(HWND hwnd);

  // CreateWindowEx with this object bound: `className` null means kClassName; any other class is
  // subclassed at once (messages sent during its creation go to its own procedure only).
  bool Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
              int width, int height, HWND parent, HMENU menuOrId);
  // Takes over an existing window (a control); it is not destroyed by this object.
  bool Subclass(HWND hwnd);
  void Destroy();

  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(hwnd_, msg, wParam, lParam);
  }

 protected:
  // The dispatch switch; override to add cases, and call the base for the rest.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // The message being handled, passed to the original procedure; its result.
  LRESULT Default();

  // Called with the handle attached but before the procedure is replaced.
  virtual void PreSubclassWindow() {}
  // Called after WM_NCDESTROY, once the handle is gone and no handler of this window is still
  // running; it may delete the object.
  virtual void OnFinalMessage() {}

  // Typed handlers, with their cracked signatures. The base versions call Default().
  virtual void OnPaint();                                            // WM_PAINT
  virtual bool OnEraseBkgnd(HDC dc);                                 // WM_ERASEBKGND
  virtual void OnWindowPosChanging(WINDOWPOS& position);              // WM_WINDOWPOSCHANGING
  virtual void OnTimer(UINT_PTR id);                                 // WM_TIMER
  virtual void OnMouseMove(UINT keys, POINT client);                 // WM_MOUSEMOVE
  virtual void OnLButtonDown(UINT keys, POINT client);               // WM_LBUTTONDOWN
  virtual void OnLButtonUp(UINT keys, POINT client);                 // WM_LBUTTONUP
  virtual bool OnSetCursor(HWND under, UINT hitTest, UINT mouseMsg);  // WM_SETCURSOR
  virtual bool OnQueryNewPalette();                                  // WM_QUERYNEWPALETTE
  virtual void OnPaletteChanged(HWND changer);                       // WM_PALETTECHANGED
  // WM_COMMAND; return false to pass it on to the default handling.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual void OnDestroy();                                          // WM_DESTROY
  // Reflected from the parent: the control's own colours; null leaves them to the parent.
  virtual HBRUSH OnCtlColor(HDC dc, UINT ctlType);
  // Reflected from the parent: an owner-drawn control draws itself.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  friend class Dialog;
  struct CurrentMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };

  static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  void Bind(HWND hwnd);
  void Unbind();
  LRESULT Reflect(HWND control, UINT reflected, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;  // the subclassed procedure; null: DefWindowProc
  bool owned_ = false;          // created by this object, so destroyed with it
  CurrentMessage current_{};
  int depth_ = 0;               // messages of this window being handled, nested
  bool finalPending_ = false;   // WM_NCDESTROY came; OnFinalMessage waits for depth_ 0
};

}  // namespace card
