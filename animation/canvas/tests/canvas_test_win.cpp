// The figure window on a real (virtual) screen: frames composed over the desktop, moves that
// leave no trail and never bring the figure's own pixels into the saved background, and the
// frame-id rules. The desktop is a full-screen window painted with a pattern in which every
// pixel says where it is, so a background saved or shifted wrongly shows up as a wrong pixel.
#include "animation/canvas/canvas_win.h"
#include "animation/canvas/tests/screen_fixture_win.h"
#include "framework/gdi_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

namespace card {
namespace {

using namespace card::testing;

COLORREF FrameColour(std::uint16_t key) {
  for (const FigureFrame& frame : kFigureFrames) {
    if (frame.key == key) return frame.colour;
  }
  return kFigureFrames[0].colour;  // a key that is not in the file draws the first frame
}

class CanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { pattern_ = new PatternWindow; }
  static void TearDownTestSuite() {
    delete pattern_;
    pattern_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(pattern_->Handle());
    ASSERT_EQ(WaitForScreen([](int x, int y) { return PatternAt(x, y); }), "")
        << "the desktop does not show the pattern";
    fas_ = OpenFas(bytes_);
    canvas_ = std::make_unique<Canvas>(*fas_, screen_, nullptr);
    ASSERT_TRUE(canvas_->Handle());
  }

  void TearDown() override {
    canvas_.reset();
    PumpMessages();
  }

  void Show() { ShowWindow(canvas_->Handle(), SW_SHOWNOACTIVATE); }

  std::vector<std::uint8_t> bytes_ = FigureFasBytes({});
  std::unique_ptr<FasFile> fas_;
  WindowDC screen_{nullptr};
  static PatternWindow* pattern_;  // the desktop, for the whole suite
  std::unique_ptr<Canvas> canvas_;
};

PatternWindow* CanvasTest::pattern_ = nullptr;

TEST_F(CanvasTest, StartsHiddenAtTheOriginOneFrameInSizeTopmostAndTransparentToTheMouse) {
  HWND hwnd = canvas_->Handle();
  EXPECT_FALSE(IsWindowVisible(hwnd));
  RECT r{};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, kFigureWidth);
  EXPECT_EQ(r.bottom, kFigureHeight);
  EXPECT_EQ(canvas_->Position().x, 0);
  EXPECT_EQ(canvas_->Width(), kFigureWidth);
  EXPECT_EQ(canvas_->Height(), kFigureHeight);
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

  Show();
  canvas_->ShowFrame(0, 0, 1);
  // The static control's hit-testing lets the pointer through to the window below.
  EXPECT_EQ(WindowFromPoint(POINT{kFigureWidth / 2, kFigureHeight / 2}), pattern_->Handle());
}

// One call of ShowFrame and where the figure should then be.
struct Step {
  std::int32_t dx, dyUp;
};

struct Journey {
  const char* what;
  POINT start;  // placed there before the first frame
  std::vector<Step> steps;
};

void PrintTo(const Journey& j, std::ostream* out) { *out << j.what; }

class CanvasJourneyTest : public CanvasTest, public ::testing::WithParamInterface<Journey> {};

TEST_P(CanvasJourneyTest, TheFigureMovesOverAnUnharmedDesktop) {
  const Journey& journey = GetParam();
  Show();
  canvas_->MoveBy(journey.start.x, journey.start.y);
  canvas_->ShowFrame(0, 0, 1);
  POINT at = journey.start;
  ASSERT_EQ(WaitForScreen(PatternWithFigure(at, FrameColour(1))), "") << "first frame";

  for (std::size_t i = 0; i < journey.steps.size(); ++i) {
    const Step& step = journey.steps[i];
    const std::uint16_t key = i % 2 ? 1 : 2;
    canvas_->ShowFrame(step.dx, step.dyUp, key);
    at.x += step.dx;
    at.y -= step.dyUp;
    ASSERT_EQ(canvas_->Position().x, at.x);
    ASSERT_EQ(canvas_->Position().y, at.y);
    ASSERT_EQ(WaitForScreen(PatternWithFigure(at, FrameColour(key))), "")
        << "after step " << i << " to (" << at.x << "," << at.y << ")";
  }

  // A paint request redraws nothing: the window keeps its frame.
  InvalidateRect(canvas_->Handle(), nullptr, TRUE);
  UpdateWindow(canvas_->Handle());
  const std::uint16_t lastKey = journey.steps.size() % 2 ? 2 : 1;
  EXPECT_EQ(WaitForScreen(PatternWithFigure(at, FrameColour(journey.steps.empty() ? 1 : lastKey))),
            "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CanvasJourneyTest,
    ::testing::Values(
        Journey{"in place", {300, 200}, {{0, 0}, {0, 0}}},
        Journey{"one pixel at a time in each direction",
                {300, 200},
                {{1, 0}, {1, 0}, {1, 0}, {0, 1}, {0, 1}, {-1, 0}, {-1, 0}, {0, -1}, {0, -1}}},
        Journey{"small diagonal steps", {400, 300}, {{2, -3}, {-3, 2}, {4, 4}, {-5, -1}, {7, 0}}},
        Journey{"jumps of the width and the height and more",
                {500, 400},
                {{kFigureWidth, 0}, {0, kFigureHeight}, {-3 * kFigureWidth, 0},
                 {0, -5 * kFigureHeight}, {kFigureWidth - 1, kFigureHeight - 1}}},
        Journey{"partly off the screen and back", {1015, 5}, {{4, 3}, {-30, -3}, {0, -770}}}));

// The program always shows the window before its first frame, and the window saves the screen
// under itself as it shows, so no first frame finds the background unsaved: the canvas has no
// branch for that case any more. Before the first frame the window may have moved hidden, over
// a start whose background it never read, or shown, saving the background as it goes.
TEST_F(CanvasTest, AMoveBeforeTheFirstFrameCapturesTheWholeBackgroundAtTheNewPlace) {
  canvas_->MoveBy(7, 3);
  Show();
  canvas_->ShowFrame(0, 0, 1);
  EXPECT_EQ(WaitForScreen(PatternWithFigure(POINT{7, 3}, FrameColour(1))), "") << "moved hidden";

  canvas_.reset();
  canvas_ = std::make_unique<Canvas>(*fas_, screen_, nullptr);
  Show();
  canvas_->MoveBy(200, 150);
  canvas_->MoveBy(-7, 3);
  canvas_->ShowFrame(0, 0, 1);
  EXPECT_EQ(WaitForScreen(PatternWithFigure(POINT{193, 153}, FrameColour(1))), "")
      << "moved shown";
}

struct FrameIdCase {
  const char* what;
  std::vector<std::int32_t> ids;
  std::int32_t current;  // CurrentFrame afterwards
  std::uint16_t shownKey;
};

void PrintTo(const FrameIdCase& c, std::ostream* out) { *out << c.what; }

class CanvasFrameIdTest : public CanvasTest, public ::testing::WithParamInterface<FrameIdCase> {};

TEST_P(CanvasFrameIdTest, DrawsTheFrameTheIdNames) {
  const FrameIdCase& c = GetParam();
  Show();
  canvas_->MoveBy(100, 100);
  for (std::int32_t id : c.ids) canvas_->ShowFrame(0, 0, id);
  EXPECT_EQ(canvas_->CurrentFrame(), c.current);
  EXPECT_EQ(WaitForScreen(PatternWithFigure(POINT{100, 100}, FrameColour(c.shownKey))), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CanvasFrameIdTest,
    ::testing::Values(
        FrameIdCase{"a key", {912}, 912, 912},
        FrameIdCase{"only the low 16 bits count", {0x10000 + 2}, 0x10000 + 2, 2},
        FrameIdCase{"-1 first draws -5, absent, so the first frame", {-1}, -5, 1},
        FrameIdCase{"-1 repeats the current frame", {2, -1}, 2, 2},
        FrameIdCase{"-2 draws key 65534", {-2}, -2, 65534},
        FrameIdCase{"a second -2 draws 912", {-2, -2}, 912, 912},
        FrameIdCase{"a third -2 draws 65534 again", {-2, -2, -2}, -2, 65534},
        FrameIdCase{"-1 after -2 draws 912", {-2, -1}, 912, 912},
        FrameIdCase{"an absent key draws the first frame", {77}, 77, 1}));

}  // namespace
}  // namespace card
