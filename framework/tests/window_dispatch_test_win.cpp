// The window base class: binding and unbinding, the typed dispatch, default handling,
// subclassing of a system class, reflection to controls and exceptions kept in the procedure.
#include "framework/message_names_win.h"
#include "framework/tests/message_sequence_win.h"
#include "framework/unhandled_win.h"
#include "framework/window_win.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace card {
namespace {

using test::CompareSequence;
using test::Expected;

std::string PointText(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// Records every message and every typed handler call it gets.
class RecordingWindow : public Window {
 public:
  std::vector<UINT> messages;
  std::vector<std::string> calls;
  bool finalMessage = false;
  HWND preSubclassHandle = nullptr;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    messages.push_back(msg);
    return Window::HandleMessage(msg, wParam, lParam);
  }
  void PreSubclassWindow() override { preSubclassHandle = Handle(); }
  void OnFinalMessage() override { finalMessage = true; }
  void OnTimer(UINT_PTR id) override { calls.push_back("OnTimer " + std::to_string(id)); }
  void OnMouseMove(UINT keys, POINT p) override {
    calls.push_back("OnMouseMove " + std::to_string(keys) + " " + PointText(p));
  }
  void OnLButtonDown(UINT keys, POINT p) override {
    calls.push_back("OnLButtonDown " + std::to_string(keys) + " " + PointText(p));
  }
  void OnLButtonUp(UINT keys, POINT p) override {
    calls.push_back("OnLButtonUp " + std::to_string(keys) + " " + PointText(p));
  }
  bool OnSetCursor(HWND under, UINT hitTest, UINT mouseMsg) override {
    calls.push_back("OnSetCursor " + std::string(under == Handle() ? "self" : "other") + " " +
                    std::to_string(hitTest) + " " + MessageName(mouseMsg));
    return true;
  }
  bool OnCommand(int id, int code, HWND) override {
    calls.push_back("OnCommand " + std::to_string(id) + " " + std::to_string(code));
    return id == 1001;  // anything else goes on to the default handling
  }
  bool OnEraseBkgnd(HDC) override {
    calls.push_back("OnEraseBkgnd");
    return true;
  }
  bool OnQueryNewPalette() override {
    calls.push_back("OnQueryNewPalette");
    return true;
  }
  void OnPaletteChanged(HWND changer) override {
    calls.push_back(std::string("OnPaletteChanged ") + (changer == Handle() ? "self" : "other"));
  }
  void OnWindowPosChanging(WINDOWPOS& position) override {
    calls.push_back("OnWindowPosChanging " + std::to_string(position.cx));
    position.cx = 77;  // the handler changes the caller's structure, not a copy
  }
};

struct DispatchCase {
  const char* name;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  const char* call;
  LRESULT result;
};

TEST(WindowDispatch, CracksEachMessageIntoItsTypedHandler) {
  RecordingWindow window;
  ASSERT_TRUE(window.Create(0, nullptr, "dispatch", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  const LPARAM self = 0;  // replaced by the window handle where a case names a window
  const DispatchCase cases[] = {
      {"timer id", WM_TIMER, 7, 0, "OnTimer 7", 0},
      {"signed point", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-3, 5), "OnMouseMove 1 -3,5", 0},
      {"button down", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20), "OnLButtonDown 1 10,20", 0},
      {"button up", WM_LBUTTONUP, 0, MAKELPARAM(640, 480), "OnLButtonUp 0 640,480", 0},
      {"cursor", WM_SETCURSOR, 1, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE),
       "OnSetCursor self 1 WM_MOUSEMOVE", TRUE},
      {"handled command", WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), self, "OnCommand 1001 0", 0},
      {"erase", WM_ERASEBKGND, 0, 0, "OnEraseBkgnd", TRUE},
      {"palette query", WM_QUERYNEWPALETTE, 0, 0, "OnQueryNewPalette", TRUE},
      {"palette changed", WM_PALETTECHANGED, 1, 0, "OnPaletteChanged self", 0},
  };
  for (const DispatchCase& c : cases) {
    window.calls.clear();
    // A wParam of 1 stands for "this window" in the cases that carry a window handle.
    const WPARAM wParam = (c.msg == WM_SETCURSOR || c.msg == WM_PALETTECHANGED)
                              ? reinterpret_cast<WPARAM>(window.Handle())
                              : c.wParam;
    const LRESULT result = window.Send(c.msg, wParam, c.lParam);
    EXPECT_EQ(result, c.result) << c.name;
    ASSERT_EQ(window.calls.size(), 1u) << c.name;
    EXPECT_EQ(window.calls[0], c.call) << c.name;
  }
  WINDOWPOS position{};
  position.cx = 40;
  window.calls.clear();
  EXPECT_EQ(window.Send(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position)), 0);
  EXPECT_EQ(window.calls, std::vector<std::string>{"OnWindowPosChanging 40"});
  EXPECT_EQ(position.cx, 77);
}

TEST(WindowDispatch, PassesWhatNoHandlerTakesToTheDefaultHandling) {
  RecordingWindow window;
  ASSERT_TRUE(window.Create(0, nullptr, "default", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  // DefWindowProc keeps the title: only the default handling can answer these.
  EXPECT_EQ(window.Send(WM_GETTEXTLENGTH), 7);
  SetWindowTextA(window.Handle(), "changed title");
  EXPECT_EQ(window.Send(WM_GETTEXTLENGTH), 13);
  // A command the handler declines reaches the default handling too, and is still seen.
  window.calls.clear();
  EXPECT_EQ(window.Send(WM_COMMAND, MAKEWPARAM(5, 0), 0), 0);
  EXPECT_EQ(window.calls, std::vector<std::string>{"OnCommand 5 0"});
}

TEST(WindowDispatch, BindsAtCreationAndUnbindsAtTheLastMessage) {
  RecordingWindow window;
  ASSERT_TRUE(window.Create(0, nullptr, "life", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  HWND hwnd = window.Handle();
  EXPECT_EQ(Window::FromHandle(hwnd), &window);
  ASSERT_FALSE(window.messages.empty());
  EXPECT_EQ(window.messages.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(CompareSequence(window.messages, {{WM_NCCREATE}, {WM_NCCALCSIZE}, {WM_CREATE}}), "");

  window.messages.clear();
  window.Destroy();
  EXPECT_EQ(CompareSequence(window.messages, {{WM_SHOWWINDOW, true}, {WM_DESTROY}, {WM_NCDESTROY}}),
            "");
  EXPECT_EQ(window.messages.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_TRUE(window.finalMessage);
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
}

// Destroys its own window from a handler and deletes itself in its final call, as a window
// that owns its own lifetime does.
class SelfDestroyingWindow : public Window {
 public:
  explicit SelfDestroyingWindow(std::vector<std::string>& log) : log_(log) {}

 protected:
  void OnTimer(UINT_PTR) override {
    Destroy();
    log_.push_back("timer handler returns");
  }
  void OnFinalMessage() override {
    log_.push_back("final message");
    delete this;
  }

 private:
  std::vector<std::string>& log_;
};

TEST(WindowDispatch, FinalMessageWaitsForTheHandlerThatDestroyedTheWindow) {
  std::vector<std::string> log;
  auto* window = new SelfDestroyingWindow(log);
  ASSERT_TRUE(window->Create(0, nullptr, "self", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  HWND hwnd = window->Handle();
  SendMessageA(hwnd, WM_TIMER, 7, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"timer handler returns", "final message"}));
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WindowDispatch, DestroysTheWindowItCreatedWhenDestroyed) {
  HWND hwnd;
  {
    RecordingWindow window;
    ASSERT_TRUE(window.Create(0, nullptr, "scoped", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    hwnd = window.Handle();
  }
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WindowDispatch, SubclassesASystemClassAndKeepsItsBehaviour) {
  RecordingWindow window;
  ASSERT_TRUE(window.Create(WS_EX_TOOLWINDOW, "Static", "", WS_POPUP, 0, 0, 40, 30, nullptr,
                            nullptr));
  EXPECT_EQ(window.preSubclassHandle, window.Handle());
  EXPECT_EQ(Window::FromHandle(window.Handle()), &window);
  char className[32] = {};
  GetClassNameA(window.Handle(), className, sizeof className);
  EXPECT_STREQ(className, "Static");
  // The static control's own procedure still answers hit-testing as transparent.
  EXPECT_EQ(window.Send(WM_NCHITTEST, 0, MAKELPARAM(5, 5)), HTTRANSPARENT);
  window.Send(WM_TIMER, 3);
  EXPECT_EQ(window.calls, std::vector<std::string>{"OnTimer 3"});
  EXPECT_EQ(CompareSequence(window.messages, {{WM_NCHITTEST}, {WM_TIMER}}), "");
}

TEST(WindowDispatch, GivesASubclassedControlItsProcedureBackWhenTheObjectGoes) {
  HWND edit = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  const LONG_PTR own = GetWindowLongPtrA(edit, GWLP_WNDPROC);
  {
    RecordingWindow control;
    ASSERT_TRUE(control.Subclass(edit));
    EXPECT_NE(GetWindowLongPtrA(edit, GWLP_WNDPROC), own);
    RecordingWindow second;
    EXPECT_FALSE(second.Subclass(edit)) << "a window is bound to one object only";
  }
  EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), own);
  EXPECT_EQ(Window::FromHandle(edit), nullptr);
  EXPECT_TRUE(IsWindow(edit)) << "a control the object did not create is not destroyed";
  DestroyWindow(edit);
}

// A control that answers its own colours and draws itself.
class SelfColouringControl : public Window {
 public:
  HBRUSH brush = reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  std::vector<UINT> colourTypes;
  std::vector<UINT> drawnStates;

 protected:
  HBRUSH OnCtlColor(HDC, UINT ctlType) override {
    colourTypes.push_back(ctlType);
    return brush;
  }
  void DrawItem(const DRAWITEMSTRUCT& item) override { drawnStates.push_back(item.itemState); }
};

TEST(WindowDispatch, ReflectsColourAndDrawingMessagesToTheControlsThatAreOurs) {
  RecordingWindow parent;
  ASSERT_TRUE(parent.Create(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  auto child = [&](const char* cls, int id) {
    return CreateWindowExA(0, cls, "", WS_CHILD, 0, 0, 20, 20, parent.Handle(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  };
  SelfColouringControl ours;
  ASSERT_TRUE(ours.Subclass(child("Edit", 10)));
  HWND foreign = child("Edit", 11);
  HDC dc = GetDC(parent.Handle());

  EXPECT_EQ(parent.Send(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(ours.Handle())),
            reinterpret_cast<LRESULT>(ours.brush));
  EXPECT_EQ(parent.Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(ours.Handle())),
            reinterpret_cast<LRESULT>(ours.brush));
  EXPECT_EQ(ours.colourTypes, (std::vector<UINT>{CTLCOLOR_EDIT, CTLCOLOR_STATIC}));
  // A control that is not ours gets the default colours: the system's brush, not ours.
  const LRESULT defaultBrush = parent.Send(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(foreign));
  EXPECT_NE(defaultBrush, 0);
  EXPECT_NE(defaultBrush, reinterpret_cast<LRESULT>(ours.brush));

  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = 10;
  item.hwndItem = ours.Handle();
  item.hDC = dc;
  item.itemState = ODS_SELECTED | ODS_FOCUS;
  EXPECT_EQ(parent.Send(WM_DRAWITEM, 10, reinterpret_cast<LPARAM>(&item)), TRUE);
  EXPECT_EQ(ours.drawnStates, std::vector<UINT>{ODS_SELECTED | ODS_FOCUS});
  ReleaseDC(parent.Handle(), dc);
}

class ThrowingWindow : public RecordingWindow {
 protected:
  void OnTimer(UINT_PTR id) override {
    if (id == 1) throw std::runtime_error("handler failed");
    RecordingWindow::OnTimer(id);
  }
};

TEST(WindowDispatch, KeepsAnExceptionInsideTheWindowProcedure) {
  ThrowingWindow window;
  ASSERT_TRUE(window.Create(0, nullptr, "throws", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  const int before = UnhandledCount();
  EXPECT_EQ(window.Send(WM_TIMER, 1), 0);
  EXPECT_EQ(UnhandledCount(), before + 1);
  window.Send(WM_TIMER, 2);
  EXPECT_EQ(window.calls, std::vector<std::string>{"OnTimer 2"}) << "the window still works";
}

// Sends a message to itself in the middle of a handler, then asks for the default handling of
// the outer message.
class NestingWindow : public Window {
 public:
  LRESULT innerResult = -1;

 protected:
  bool OnSetCursor(HWND, UINT, UINT) override {
    innerResult = Send(WM_GETTEXTLENGTH);
    return Default() != 0;
  }
};

TEST(WindowDispatch, DefaultHandlesTheOuterMessageAfterANestedOne) {
  NestingWindow window;
  ASSERT_TRUE(window.Create(0, nullptr, "nested", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  // DefWindowProc answers WM_SETCURSOR for a client point without a parent with FALSE; had the
  // nested message replaced the outer one, Default would answer the title length (6).
  EXPECT_EQ(window.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window.Handle()),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            FALSE);
  EXPECT_EQ(window.innerResult, 6);
}

TEST(MessageNames, NamesKnownMessagesAndShowsOthersInHex) {
  EXPECT_EQ(MessageName(WM_PAINT), "WM_PAINT");
  EXPECT_EQ(MessageName(WM_NCDESTROY), "WM_NCDESTROY");
  EXPECT_EQ(MessageName(kMsgReflectedCtlColor), "reflected WM_CTLCOLOR");
  EXPECT_EQ(MessageName(0x8003), "0x8003");
  EXPECT_EQ(MessageName(0x2A), "0x002A");
  EXPECT_EQ(MessageName(0x12345), "0x12345");
}

}  // namespace
}  // namespace card
