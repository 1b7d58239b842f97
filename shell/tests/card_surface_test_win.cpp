// The card window's surface in a window of its own: hover flags, the 100 ms polling timer and
// the redraws it asks for, the hand cursor, clicks that open targets, dragging, "Visit Us" and
// the background erase.
#include "shell/card_look_win.h"
#include "shell/card_surface_win.h"
#include "framework/tests/pixels_win.h"
#include "shell/visit_target.h"
#include "framework/window_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace card {
namespace {

HotSpot Spot(Rect rect, std::uint32_t from, std::uint32_t to, const char* target,
             const char* image = "") {
  HotSpot spot;
  spot.rect = rect;
  spot.fromColour = from;
  spot.toColour = to;
  spot.target = target;
  spot.hoverImage = image;
  return spot;
}

// A window that hands its mouse, timer and cursor messages to a surface, as the card does.
class SurfaceWindow : public Window {
 public:
  using Clock = std::chrono::steady_clock;
  std::vector<std::string> opened;
  std::vector<Clock::time_point> polls;  // when each timer message came
  HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS));
  CardSurface surface;

  explicit SurfaceWindow(std::vector<HotSpot> spots)
      : surface({}, std::move(spots), hand, nullptr,
                [this](const std::string& target) { opened.push_back(target); }) {
    Create(WS_EX_TOOLWINDOW, nullptr, "surface", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
           nullptr, nullptr);
  }
  const HotSpot& SpotAt(size_t i) const { return surface.HotSpots()[i]; }
  // The rectangle waiting to be redrawn (empty for none), then nothing is waiting.
  RECT TakeUpdate() {
    RECT update{};
    if (!GetUpdateRect(Handle(), &update, FALSE)) update = RECT{};
    ValidateRect(Handle(), nullptr);
    return update;
  }

 protected:
  void OnPaint() override { ValidateRect(Handle(), nullptr); }
  bool OnEraseBkgnd(HDC) override { return true; }
  void OnLButtonDown(UINT, POINT p) override { surface.ButtonDown(Handle(), p); }
  void OnMouseMove(UINT, POINT p) override { surface.MouseMove(Handle(), p); }
  void OnLButtonUp(UINT, POINT) override { surface.ButtonUp(Handle()); }
  void OnTimer(UINT_PTR) override {
    polls.push_back(Clock::now());
    surface.Timer(Handle());
  }
  bool OnSetCursor(HWND, UINT, UINT) override { return surface.SetHandCursor(); }
};

std::vector<HotSpot> ThreeSpots() {
  return {Spot({10, 10, 60, 60}, RGB(255, 0, 0), RGB(0, 255, 0), "https://first.example/"),
          // Only the cursor shows this one.
          Spot({40, 40, 100, 100}, 7, 7, "mailto:second@example.com"),
          Spot({200, 10, 260, 60}, 7, 7, "https://third.example/", "missing.bmp")};
}

void MoveTo(SurfaceWindow& w, int x, int y) { w.Send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

// Dispatches messages until `done` holds or `limit` has passed.
template <typename Condition>
void PumpUntil(Condition done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(CardSurface, TracksHoverWithItsTimerAndRedrawsOnlyVisibleChanges) {
  SurfaceWindow w(ThreeSpots());
  w.TakeUpdate();
  const struct {
    POINT p;
    bool hovered[3];
    UINT_PTR timer;
    RECT update;
  } steps[] = {
      {{20, 20}, {true, false, false}, CardSurface::kHoverTimer, {10, 10, 60, 60}},
      {{50, 50}, {true, true, false}, CardSurface::kHoverTimer, {}},  // cursor-only spot
      {{80, 80}, {false, true, false}, CardSurface::kHoverTimer, {10, 10, 60, 60}},
      {{150, 150}, {false, false, false}, 0, {}},
      {{210, 20}, {false, false, true}, CardSurface::kHoverTimer, {200, 10, 260, 60}},
      {{260, 20}, {false, false, false}, 0, {200, 10, 260, 60}},  // right edge is outside
  };
  for (const auto& step : steps) {
    MoveTo(w, step.p.x, step.p.y);
    const std::string at = std::to_string(step.p.x) + "," + std::to_string(step.p.y);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(w.SpotAt(i).hover, step.hovered[i]) << at << " spot " << i;
    EXPECT_EQ(w.surface.HoverTimer(), step.timer) << at;
    EXPECT_TRUE(SameRect(w.TakeUpdate(), step.update)) << at;
  }
}

TEST(CardSurface, ShowsTheHandOnlyWhileASpotIsHovered) {
  SurfaceWindow w(ThreeSpots());
  const LPARAM client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  MoveTo(w, 45, 45);
  EXPECT_EQ(w.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(w.Handle()), client), TRUE);
  EXPECT_EQ(GetCursor(), w.hand);
  MoveTo(w, 150, 150);
  EXPECT_EQ(w.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(w.Handle()), client), FALSE);
}

TEST(CardSurface, NoticesWithinAboutATickThatThePointerLeftTheWindow) {
  SurfaceWindow w(ThreeSpots());
  MoveTo(w, 20, 20);
  ASSERT_TRUE(w.SpotAt(0).hover);
  // The pointer leaves the window without a mouse move reaching it.
  ASSERT_TRUE(SetCursorPos(5, 5));
  const auto start = std::chrono::steady_clock::now();
  PumpUntil([&] { return !w.SpotAt(0).hover; }, std::chrono::seconds(2));
  EXPECT_FALSE(w.SpotAt(0).hover);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
  EXPECT_EQ(w.surface.HoverTimer(), 0u) << "polling stops once no spot holds the pointer";
}

TEST(CardSurface, PollsThePointerEveryTenthOfASecondWhileASpotHoldsIt) {
  SurfaceWindow w(ThreeSpots());
  // The pointer really is over the first spot, so every poll finds it there again.
  POINT screen{20, 20};
  ClientToScreen(w.Handle(), &screen);
  ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
  const auto start = SurfaceWindow::Clock::now();
  MoveTo(w, 20, 20);
  constexpr std::size_t kPolls = 6;
  PumpUntil([&] { return w.polls.size() >= kPolls; }, std::chrono::seconds(4));
  ASSERT_GE(w.polls.size(), kPolls);
  EXPECT_TRUE(w.SpotAt(0).hover) << "a poll lost the pointer";
  using std::chrono::milliseconds;
  const auto period = std::chrono::duration_cast<milliseconds>(w.polls[kPolls - 1] - start) /
                      static_cast<int>(kPolls);
  EXPECT_GE(period, milliseconds(90));
  EXPECT_LE(period, milliseconds(160));
}

TEST(CardSurface, AClickOpensTheFirstSpotInListOrderAndNeverStartsADrag) {
  SurfaceWindow w(ThreeSpots());
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));  // inside the first two
  w.Send(WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(99, 99));
  w.Send(WM_LBUTTONUP, 0, MAKELPARAM(99, 99));
  EXPECT_EQ(w.opened,
            (std::vector<std::string>{"https://first.example/", "mailto:second@example.com"}));
  EXPECT_NE(GetCapture(), w.Handle());
}

// The card folder as the current folder for one test.
class CurrentFolder {
 public:
  explicit CurrentFolder(const char* name)
      : previous_(std::filesystem::current_path()),
        folder_(std::filesystem::temp_directory_path() / name) {
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
  }
  ~CurrentFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  void Write(const char* name, const char* text) const { std::ofstream(folder_ / name) << text; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

TEST(CardSurface, AClickOnATargetTheCardMayNotOpenOpensNothingButTheSpotStillShowsIt) {
  const CurrentFolder folder("card-targets-test");
  folder.Write("run.bat", "echo planted");
  folder.Write("page.htm", "<p>carried</p>");
  const char* refused[] = {"run.bat", "\\\\127.0.0.1\\share\\x.exe",
                           "search-ms:query=x&crumb=location:\\\\127.0.0.1\\share",
                           "missing.htm"};
  std::vector<HotSpot> spots;
  for (int i = 0; i < 4; ++i) {
    spots.push_back(Spot({i * 50, 0, i * 50 + 40, 40}, 7, 7, refused[i]));
  }
  spots.push_back(Spot({0, 100, 40, 140}, 7, 7, "PAGE.htm"));
  SurfaceWindow w(std::move(spots));
  const LPARAM client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  for (int i = 0; i < 4; ++i) {
    MoveTo(w, i * 50 + 20, 20);
    EXPECT_TRUE(w.SpotAt(i).hover) << refused[i];
    EXPECT_EQ(w.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(w.Handle()), client), TRUE);
    w.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(i * 50 + 20, 20));
    w.Send(WM_LBUTTONUP, 0, MAKELPARAM(i * 50 + 20, 20));
    EXPECT_NE(GetCapture(), w.Handle()) << "a click on a spot starts no drag";
  }
  EXPECT_TRUE(w.opened.empty());
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 120));
  EXPECT_EQ(w.opened, (std::vector<std::string>{"PAGE.htm"}));
}

TEST(CardSurface, DragsTheWindowFromAnyPointOutsideTheSpots) {
  SurfaceWindow w(ThreeSpots());
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 150));
  EXPECT_EQ(GetCapture(), w.Handle());
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 150));  // at the anchor: no move
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 170));   // over a spot, while dragging
  RECT frame;
  GetWindowRect(w.Handle(), &frame);
  EXPECT_EQ(frame.left, 100 - 130);
  EXPECT_EQ(frame.top, 100 + 20);
  EXPECT_EQ(frame.right - frame.left, 300);
  EXPECT_FALSE(w.SpotAt(0).hover) << "no hover tracking while dragging";
  w.Send(WM_LBUTTONUP, 0, MAKELPARAM(20, 170));
  EXPECT_NE(GetCapture(), w.Handle());
  EXPECT_TRUE(w.opened.empty());
}

TEST(CardSurface, VisitUsOpensTheLocalPageWhenItIsThereAndOurWebPageOtherwise) {
  const CurrentFolder folder("card-visit-test");
  SurfaceWindow w({});
  w.surface.VisitUs();
  folder.Write("zelk.htm", "<p>local</p>");
  w.surface.VisitUs();
  EXPECT_EQ(w.opened,
            (std::vector<std::string>{"http://www.example.com/index_free.htm", "zelk.htm"}));
}

TEST(CardSurface, ErasesWithTheBackgroundColourAndMakesTheBrushesOnce) {
  TheCardLook() = CardLook{};
  TheCardLook().colours.background = 0x02000000 | RGB(10, 20, 30);
  TheCardLook().colours.buttonFace = 0x02000000 | RGB(40, 50, 60);
  SurfaceWindow w({});
  test::PixelSurface pixels(40, 30);
  pixels.Fill(RGB(255, 255, 255));
  HRGN clip = CreateRectRgn(5, 5, 20, 15);
  SelectClipRgn(pixels.Dc(), clip);
  EXPECT_TRUE(w.surface.EraseBackground(pixels.Dc()));
  SelectClipRgn(pixels.Dc(), nullptr);
  DeleteObject(clip);
  EXPECT_EQ(pixels.At(5, 5), RGB(10, 20, 30));
  EXPECT_EQ(pixels.At(19, 14), RGB(10, 20, 30));
  EXPECT_EQ(pixels.At(20, 14), RGB(255, 255, 255)) << "only the clip box is filled";
  HBRUSH background = TheCardLook().backgroundBrush.Get();
  HBRUSH face = TheCardLook().buttonFaceBrush.Get();
  ASSERT_NE(face, nullptr);
  w.surface.EraseBackground(pixels.Dc());
  EXPECT_EQ(TheCardLook().backgroundBrush.Get(), background);
  TheCardLook() = CardLook{};
}

}  // namespace
}  // namespace card
