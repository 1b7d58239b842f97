// The animation view on a real (virtual) screen: it plays a script end to end on its 100 ms
// timer, tells the card window when a run has ended, carries on from where it stopped when
// started again, clamps to bounds made from the card window's controls, survives sounds that
// cannot play, and draws each bounds token into a trace window.
#include "animation/player/card_view_win.h"
#include "animation/canvas/tests/screen_fixture_win.h"
#include "framework/gdi_win.h"
#include "framework/window_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace card {
namespace {

using namespace card::testing;

COLORREF FrameColour(std::uint16_t key) {
  for (const FigureFrame& frame : kFigureFrames) {
    if (frame.key == key) return frame.colour;
  }
  return 0;
}

// Stands in for the card window: hidden, as the card is while the view plays, at the screen's
// origin, with one control to take bounds from. It counts WM_CARD_FINISHED.
class CardStandIn : public Window {
 public:
  static constexpr int kControlId = 1005;
  static constexpr RECT kControl{300, 250, 400, 330};  // client = screen coordinates

  CardStandIn() {
    Create(0, nullptr, "card", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr);
    CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, kControl.left, kControl.top,
                    kControl.right - kControl.left, kControl.bottom - kControl.top, Handle(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), nullptr, nullptr);
  }
  int finished = 0;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CARD_FINISHED) {
      ++finished;
      return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
  }
};

// A window titled as the trace window, painted white.
class TraceWindow : public Window {
 public:
  static constexpr RECT kPlace{600, 500, 1000, 560};
  TraceWindow() {
    Create(0, nullptr, "Qurlo.txt - Notepad", WS_POPUP | WS_VISIBLE, kPlace.left, kPlace.top,
           kPlace.right - kPlace.left, kPlace.bottom - kPlace.top, nullptr, nullptr);
    UpdateWindow(Handle());
  }

 protected:
  void OnPaint() override {
    PaintDC dc(Handle());
    FillRect(dc, &dc.UpdateRect(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  bool OnEraseBkgnd(HDC) override { return true; }
};

class CardViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { desktop_ = new PatternWindow; }
  static void TearDownTestSuite() {
    delete desktop_;
    desktop_ = nullptr;
  }

  void SetUp() override {
    ASSERT_EQ(WaitForScreen([](int x, int y) { return PatternAt(x, y); }), "")
        << "the desktop does not show the pattern";
  }

  void TearDown() override {
    view_.reset();
    PumpMessages();
  }

  // The view over a file holding `scripts`, shown at `at` as the card window shows it.
  void MakeView(std::vector<std::pair<std::string, std::string>> scripts, POINT at,
                const DisplayScale& scale = {}) {
    bytes_ = FigureFasBytes(scripts);
    fas_ = OpenFas(bytes_);
    view_ = std::make_unique<CardView>(*fas_, screen_, nullptr, card_, scale);
    ASSERT_TRUE(view_->Handle());
    view_->MoveBy(at.x, at.y);
    ShowWindow(view_->Handle(), SW_SHOWNOACTIVATE);
  }

  // Pumps messages until the card window has heard of `runs` ended runs, or 10 s have passed.
  bool WaitForRuns(int runs) {
    const DWORD deadline = GetTickCount() + 10000;
    while (card_.finished < runs && static_cast<LONG>(GetTickCount() - deadline) < 0) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      PumpMessages();
    }
    return card_.finished == runs;
  }

  static PatternWindow* desktop_;
  CardStandIn card_;
  WindowDC screen_{nullptr};
  std::vector<std::uint8_t> bytes_;
  std::unique_ptr<FasFile> fas_;
  std::unique_ptr<CardView> view_;
};

PatternWindow* CardViewTest::desktop_ = nullptr;

TEST_F(CardViewTest, PlaysAScriptOnItsTimerAndTellsTheCardWindowOnceWhenItEnds) {
  MakeView({{"do", "[5,0]1,[5,0]2,[0,3]1,2,912"}}, POINT{200, 200});
  const DWORD started = GetTickCount();
  view_->Start("do");
  EXPECT_TRUE(view_->Running());
  ASSERT_TRUE(WaitForRuns(1));
  // Five frames, one a tick, and the tick that finds the script empty.
  EXPECT_GE(GetTickCount() - started, 5u * 100u - 50u);
  EXPECT_FALSE(view_->Running());
  EXPECT_EQ(view_->Position().x, 210);
  EXPECT_EQ(view_->Position().y, 197);
  EXPECT_EQ(WaitForScreen(PatternWithFigure(POINT{210, 197}, FrameColour(912))), "");

  // No further tick arrives once the run has ended.
  Sleep(300);
  PumpMessages();
  EXPECT_EQ(card_.finished, 1);
}

TEST_F(CardViewTest, StartingAgainGoesOnFromWhereTheLastRunLeftTheFigure) {
  MakeView({{"do", "[7,-2]2"}}, POINT{100, 100});
  view_->Start("do");
  ASSERT_TRUE(WaitForRuns(1));
  view_->Start("do");
  ASSERT_TRUE(WaitForRuns(2));
  EXPECT_EQ(view_->Position().x, 114);
  EXPECT_EQ(view_->Position().y, 104);
  EXPECT_EQ(WaitForScreen(PatternWithFigure(POINT{114, 104}, FrameColour(2))), "");
}

TEST_F(CardViewTest, BoundsTakenFromACardWindowControlMoveTheFigureInsideIt) {
  // The control's rectangle, in the card window's client coordinates; no move is pending, so
  // the clamp alone brings the figure to the control's top-left corner.
  MakeView({{"do", "\xA9" "1005l1005t,1005r1005b\xA9" "1"}}, POINT{20, 20});
  view_->Start("do");
  ASSERT_TRUE(WaitForRuns(1));
  EXPECT_EQ(view_->Position().x, CardStandIn::kControl.left);
  EXPECT_EQ(view_->Position().y, CardStandIn::kControl.top);
}

// At 200 % the window is twice the frames' size, a move of (7, 2) card pixels takes it 14 and 4
// device pixels, and the control's device rectangle reaches the script in card pixels, so the
// clamp brings the figure to the control's device corner.
TEST_F(CardViewTest, AtADisplayScaleMovesAndBoundsAreInCardPixels) {
  MakeView({{"do", "[7,-2]2"}, {"in", "\xA9" "1005l1005t,1005r1005b\xA9" "1"}},
           POINT{100, 100}, DisplayScale::FromDpi(192));
  EXPECT_EQ(view_->Width(), 2 * fas_->Width());
  EXPECT_EQ(view_->Height(), 2 * fas_->Height());
  view_->Start("do");
  ASSERT_TRUE(WaitForRuns(1));
  EXPECT_EQ(view_->Position().x, 114);
  EXPECT_EQ(view_->Position().y, 104);
  view_->Start("in");
  ASSERT_TRUE(WaitForRuns(2));
  EXPECT_EQ(view_->Position().x, CardStandIn::kControl.left);
  EXPECT_EQ(view_->Position().y, CardStandIn::kControl.top);
}

TEST_F(CardViewTest, ASoundThatCannotPlayCutsItsGroupShortAndTheRunStillEnds) {
  MakeView({{"do", "(!NOSUCH,1,2,1,2,1,2,1,2,1,2),912"}}, POINT{150, 300});
  const DWORD started = GetTickCount();
  view_->Start("do");
  ASSERT_TRUE(WaitForRuns(1));
  // The group shows at most one of its ten frames before the sound's end drops the rest.
  EXPECT_LT(GetTickCount() - started, 8u * 100u);
  EXPECT_EQ(WaitForScreen(PatternWithFigure(POINT{150, 300}, FrameColour(912))), "");
}

TEST_F(CardViewTest, DrawsEachBoundsTokenIntoTheTraceWindow) {
  TraceWindow trace;
  ASSERT_EQ(WaitForScreen([](int x, int y) {
              const RECT& r = TraceWindow::kPlace;
              const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
              return inside ? RGB(255, 255, 255) : PatternAt(x, y);
            }),
            "");
  MakeView({{"do", "\xA9" "0l0t,0r0b\xA9" "1"}}, POINT{50, 50});
  view_->Start("do");
  ASSERT_TRUE(WaitForRuns(1));

  // Text now stands at (5, 25) of the trace window: some of its pixels are no longer white.
  const DWORD deadline = GetTickCount() + 2000;
  int inked = 0;
  do {
    PumpMessages();
    ScreenShot shot;
    inked = 0;
    for (int y = TraceWindow::kPlace.top + 25; y < TraceWindow::kPlace.top + 40; ++y) {
      for (int x = TraceWindow::kPlace.left + 5; x < TraceWindow::kPlace.left + 150; ++x) {
        if (shot.At(x, y) != RGB(255, 255, 255)) ++inked;
      }
    }
  } while (inked == 0 && static_cast<LONG>(GetTickCount() - deadline) < 0);
  EXPECT_GT(inked, 20);
}

}  // namespace
}  // namespace card
