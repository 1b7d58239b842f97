// The card window with stand-ins for the view, the sound and the music: its show and hide
// cycle, Repeat, Enter and Escape, its layout and message, what the layout's sound switches
// start, and the order in which it takes itself apart.
#include "app/card_dialog_win.h"
#include "app/tests/tiny_card.h"
#include "message/message_font_win.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace card {
namespace {

using Clock = std::chrono::steady_clock;

// Runs the thread's messages (keys through the card's dialog handling) until `done` or the
// deadline; whether `done` came true.
bool PumpUntil(HWND dialog, const std::function<bool()>& done, int milliseconds) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsWindow(dialog) || !IsDialogMessageA(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(HWND dialog, int milliseconds) {
  PumpUntil(dialog, [] { return false; }, milliseconds);
}

using Log = std::vector<std::string>;

// A hidden popup standing in for the animation view. The first time it plays, it runs the
// test's scenario from its first timer tick, inside the card window's modal loop.
class FakeView : public FigureView, public Window {
 public:
  FakeView(Log& log, std::function<void()> scenario) : log_(log), scenario_(std::move(scenario)) {
    Create(WS_EX_TOOLWINDOW, nullptr, "fake view", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr);
  }
  ~FakeView() override { log_.push_back("view destroyed"); }
  HWND Handle() const override { return Window::Handle(); }
  void Start(const std::string& label) override {
    log_.push_back("start " + label);
    if (scenario_) SetTimer(Window::Handle(), 1, 20, nullptr);
  }

 protected:
  void OnTimer(UINT_PTR id) override {
    KillTimer(Window::Handle(), id);
    auto scenario = std::move(scenario_);
    scenario_ = nullptr;
    if (scenario) scenario();
  }

 private:
  Log& log_;
  std::function<void()> scenario_;
};

class FakeParts : public CardParts {
 public:
  Log log;
  std::function<void()> scenario;
  HWND viewWindow = nullptr;

  std::unique_ptr<FigureView> MakeView(const FasFile&, HDC screen, HPALETTE palette,
                                       const Window&) override {
    log.push_back(std::string("make view") + (screen && palette ? "" : " without screen"));
    auto view = std::make_unique<FakeView>(log, scenario);
    viewWindow = view->Handle();
    return view;
  }
  void UseSoundBank(std::unique_ptr<WasFile>) override { log.push_back("open sound bank"); }
  void StartMusic(bool repeat) override { log.push_back("start music " + std::to_string(repeat)); }
  void StopMusic() override { log.push_back("stop music"); }
  void MakeNewCard(CardDialog&) override { log.push_back("make new card"); }
};

// Every test runs in a folder of its own, where the card looks for msg.txt.
class CardWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("card-window-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  void WriteMessage(const std::string& bytes) {
    std::ofstream(folder_ / "msg.txt", std::ios::binary) << bytes;
  }
  // The card as it is loaded in this folder, with the tiny layout and frames.
  CardFolder Content(LayoutSettings settings = {}) {
    CardFolder content{test::TinyLayout(), test::TinyFas(), nullptr, "", LoadMessage("")};
    content.layout.settings = settings;
    return content;
  }

  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

bool Visible(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }

std::string TextOf(HWND hwnd) {
  char buffer[600] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

void PressKey(HWND dialog, WPARAM key) {
  HWND focus = GetFocus();
  PostMessageA(focus ? focus : dialog, WM_KEYDOWN, key, 0);
}

// A key as the keyboard delivers it: to the focus, else to the active window.
void TypeKey(WPARAM key) {
  HWND focus = GetFocus();
  PostMessageA(focus ? focus : GetActiveWindow(), WM_KEYDOWN, key, 0);
}

TEST_F(CardWindowTest, StaysHiddenWhilePlayingShowsAtTheEndRepeatsAndCloses) {
  FakeParts parts;
  CardDialog* card = nullptr;
  parts.scenario = [&] {
    HWND hwnd = card->Handle();
    EXPECT_TRUE(Visible(parts.viewWindow));
    // The dialog manager and its loop have tried to show the card by now.
    PumpFor(hwnd, 300);
    EXPECT_FALSE(Visible(hwnd)) << "shown during the first playing";
    // The view has the keyboard while it plays: Enter and Escape leave the run alone.
    EXPECT_EQ(GetActiveWindow(), parts.viewWindow) << "the hidden card is the active window";
    EXPECT_FALSE(IsChild(hwnd, GetFocus())) << "a control of the hidden card has the focus";
    TypeKey(VK_RETURN);
    TypeKey(VK_ESCAPE);
    PumpFor(hwnd, 200);
    EXPECT_TRUE(IsWindow(hwnd)) << "Escape closed the card before it was ever seen";

    EXPECT_EQ(SendMessageA(hwnd, 0x006F, 0, 0), 0);
    PumpFor(hwnd, 200);
    EXPECT_TRUE(Visible(hwnd)) << "not shown when the playing ended";

    // Enter is "Repeat".
    SetForegroundWindow(hwnd);
    SetFocus(GetDlgItem(hwnd, IDOK));
    ASSERT_TRUE(Visible(hwnd));
    PressKey(hwnd, VK_RETURN);
    EXPECT_TRUE(PumpUntil(hwnd, [&] { return !Visible(hwnd); }, 2000)) << "Enter did not replay";
    SendMessageA(hwnd, 0x006F, 0, 0);
    PumpFor(hwnd, 100);
    EXPECT_TRUE(Visible(hwnd));

    // The "Repeat" button too.
    SendMessageA(GetDlgItem(hwnd, IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(Visible(hwnd));
    EXPECT_EQ(GetActiveWindow(), parts.viewWindow);
    SendMessageA(hwnd, 0x006F, 0, 0);
    PumpFor(hwnd, 100);

    SetForegroundWindow(hwnd);
    SetFocus(GetDlgItem(hwnd, IDOK));
    PressKey(hwnd, VK_ESCAPE);
  };
  {
    CardDialog dialog(Content({0, 1, 1}), parts);
    card = &dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.Handle(), nullptr);
  }
  const Log expected = {"make view",    "start do",     "start music 1", "stop music",
                        "start do",     "start music 1", "stop music",   "start do",
                        "start music 1", "stop music",   "view destroyed", "stop music"};
  EXPECT_EQ(parts.log, expected);
}

TEST_F(CardWindowTest, OpensSoundAndStartsMusicAsTheLayoutSays) {
  struct Case {
    LayoutSettings settings;
    Log expected;
  } cases[] = {
      {{0, 0, 0}, {"make view", "start do", "view destroyed", "stop music"}},
      {{1, 0, 0}, {"open sound bank", "make view", "start do", "view destroyed", "stop music"}},
      {{0, 1, 0}, {"make view", "start do", "start music 0", "view destroyed", "stop music"}},
      {{1, 1, 1},
       {"open sound bank", "make view", "start do", "start music 1", "view destroyed",
        "stop music"}},
  };
  for (const Case& c : cases) {
    FakeParts parts;
    CardDialog* card = nullptr;
    parts.scenario = [&] { PostMessageA(card->Handle(), WM_COMMAND, IDCANCEL, 0); };
    {
      CardDialog dialog(Content(c.settings), parts);
      card = &dialog;
      dialog.DoModal();
    }
    EXPECT_EQ(parts.log, c.expected) << "settings " << c.settings.soundEffectsOn << ","
                                     << c.settings.musicOn << "," << c.settings.musicRepeats;
  }
}

TEST_F(CardWindowTest, IsCentred630By430WithItsTitleAndControlsInPlace) {
  FakeParts parts;
  CardDialog* card = nullptr;
  parts.scenario = [&] {
    HWND hwnd = card->Handle();
    EXPECT_EQ(TextOf(hwnd), "Tiny card");
    RECT frame;
    GetWindowRect(hwnd, &frame);
    EXPECT_EQ(frame.right - frame.left, 630);
    EXPECT_EQ(frame.bottom - frame.top, 430);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 630) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 430) / 2);
    const struct {
      int id;
      RECT rect;
    } places[] = {{IDOK, {15, 359, 105, 419}},
                  {IDC_MAKE_NEW_CARD, {107, 359, 313, 419}},
                  {IDC_VISIT_US, {315, 359, 521, 419}},
                  {IDCANCEL, {523, 359, 613, 419}},
                  {IDC_MESSAGE_LEFT, {37, 127, 589, 345}}};
    for (const auto& place : places) {
      RECT r;
      GetWindowRect(GetDlgItem(hwnd, place.id), &r);
      MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_TRUE(EqualRect(&r, &place.rect))
          << "control " << place.id << " at " << r.left << "," << r.top << "-" << r.right << ","
          << r.bottom;
    }
    EXPECT_EQ(Window::FromHandle(GetDlgItem(hwnd, IDC_VISIT_US)) != nullptr, true)
        << "the buttons are bound to their objects";
    EXPECT_EQ(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0) != 0, true);
    PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
  };
  CardDialog dialog(Content(), parts);
  card = &dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

// Dragged to a monitor of 200 %, the card window takes the suggested place at twice its size,
// its controls at their places times two and its message font at the new scale; back at
// 100 % everything is as it was.
TEST_F(CardWindowTest, FollowsAMoveToAMonitorOfAnotherScale) {
  constexpr UINT kDpiChanged = 0x02E0;
  FakeParts parts;
  CardDialog* card = nullptr;
  parts.scenario = [&] {
    HWND hwnd = card->Handle();
    const auto controlAt = [&](int id) {
      RECT r;
      GetWindowRect(GetDlgItem(hwnd, id), &r);
      MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
      return Rect{r.left, r.top, r.right, r.bottom};
    };
    const auto frame = [&] {
      RECT r;
      GetWindowRect(hwnd, &r);
      return Rect{r.left, r.top, r.right, r.bottom};
    };
    const Rect centred = controlAt(IDC_MESSAGE_CENTRED);
    const HFONT font = reinterpret_cast<HFONT>(
        SendMessageA(GetDlgItem(hwnd, IDC_MESSAGE_LEFT), WM_GETFONT, 0, 0));

    RECT suggested{40, 30, 40 + 1260, 30 + 860};
    SendMessageA(hwnd, kDpiChanged, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(frame(), (Rect{40, 30, 1300, 890}));
    EXPECT_EQ(controlAt(IDOK), (Rect{30, 718, 210, 838}));
    EXPECT_EQ(controlAt(IDC_MESSAGE_LEFT), (Rect{74, 254, 1178, 690}));
    EXPECT_EQ(controlAt(IDC_MESSAGE_CENTRED), (Rect{72, 252, 1176, 688}));
    EXPECT_EQ(reinterpret_cast<HFONT>(
                  SendMessageA(GetDlgItem(hwnd, IDC_MESSAGE_LEFT), WM_GETFONT, 0, 0)),
              MessageFont(DisplayScale::FromDpi(192)));

    suggested = RECT{100, 80, 100 + 630, 80 + 430};
    SendMessageA(hwnd, kDpiChanged, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(frame(), (Rect{100, 80, 730, 510}));
    EXPECT_EQ(controlAt(IDOK), (Rect{15, 359, 105, 419}));
    EXPECT_EQ(controlAt(IDC_MESSAGE_CENTRED), centred) << "back at its template place";
    EXPECT_EQ(reinterpret_cast<HFONT>(
                  SendMessageA(GetDlgItem(hwnd, IDC_MESSAGE_LEFT), WM_GETFONT, 0, 0)),
              font);
    PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
  };
  CardDialog dialog(Content(), parts);
  card = &dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(CardWindowTest, ShowsTheMessageLeftAlignedOrCentredAsTheFileSays) {
  const struct {
    std::string file;
    std::string text;
    bool centred;
  } cases[] = {
      {"Dear Anna,\r\nhappy birthday!", "Dear Anna,\r\nhappy birthday!", false},
      {"Centred\xFF\xFF", "Centred", true},
      {"\xFF\xFF", "", true},
      {"one \xFF", "one \xFF", false},
      {"", "", false},
      // Only the first 500 bytes count, the marker included.
      {std::string(498, 'a') + "\xFF\xFF" + std::string(50, 'b'), std::string(498, 'a'), true},
      {std::string(500, 'a') + "\xFF\xFF", std::string(500, 'a'), false},
  };
  for (const auto& c : cases) {
    WriteMessage(c.file);
    FakeParts parts;
    CardDialog* card = nullptr;
    parts.scenario = [&] {
      HWND hwnd = card->Handle();
      EXPECT_EQ(TextOf(GetDlgItem(hwnd, IDC_MESSAGE_LEFT)), c.text);
      EXPECT_EQ(TextOf(GetDlgItem(hwnd, IDC_MESSAGE_CENTRED)), c.text);
      // The card itself is hidden while playing, so look at the controls' own style.
      auto shown = [&](int id) {
        return (GetWindowLongA(GetDlgItem(hwnd, id), GWL_STYLE) & WS_VISIBLE) != 0;
      };
      EXPECT_EQ(shown(IDC_MESSAGE_CENTRED), c.centred) << c.text;
      EXPECT_EQ(shown(IDC_MESSAGE_LEFT), !c.centred) << c.text;
      EXPECT_EQ(card->Centred(), c.centred);
      EXPECT_EQ(card->MessageText(), c.text);
      PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    };
    CardDialog dialog(Content(), parts);
    card = &dialog;
    dialog.DoModal();
  }
  std::filesystem::remove(folder_ / "msg.txt");
}

TEST_F(CardWindowTest, SetMessageSwitchesTheVisibleEditAndMakeANewCardReachesItsPart) {
  FakeParts parts;
  CardDialog* card = nullptr;
  parts.scenario = [&] {
    HWND hwnd = card->Handle();
    HWND left = GetDlgItem(hwnd, IDC_MESSAGE_LEFT);
    HWND centred = GetDlgItem(hwnd, IDC_MESSAGE_CENTRED);
    card->SetCentred(true);
    card->SetMessage("Now centred");
    EXPECT_EQ(GetWindowLongA(centred, GWL_STYLE) & WS_VISIBLE, static_cast<LONG>(WS_VISIBLE));
    EXPECT_EQ(GetWindowLongA(left, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(TextOf(left), "Now centred");
    EXPECT_EQ(TextOf(centred), "Now centred");
    card->SetCentred(false);
    card->SetMessage("Back left");
    EXPECT_EQ(GetWindowLongA(left, GWL_STYLE) & WS_VISIBLE, static_cast<LONG>(WS_VISIBLE));
    EXPECT_EQ(GetWindowLongA(centred, GWL_STYLE) & WS_VISIBLE, 0);
    SendMessageA(GetDlgItem(hwnd, IDC_MAKE_NEW_CARD), BM_CLICK, 0, 0);
    PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
  };
  CardDialog dialog(Content(), parts);
  card = &dialog;
  dialog.DoModal();
  EXPECT_NE(std::find(parts.log.begin(), parts.log.end(), "make new card"), parts.log.end());
}

}  // namespace
}  // namespace card
