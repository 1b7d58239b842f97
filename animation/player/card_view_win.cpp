// The animation view: timer, sounds, messages and the host side of the script player.
#include "animation/player/card_view_win.h"

#include "animation/player/fas_scripts.h"
#include "framework/gdi_win.h"
#include "sound/wave_sound_win.h"

#include <chrono>
#include <string_view>

namespace card {
namespace {

// A Notepad window with this title, open when the view is made, receives the bounds trace.
constexpr const char* kTraceWindowTitle = "Qurlo.txt - Notepad";
// Drawn after each traced text, so that a shorter text wipes out the end of a longer one.
constexpr std::string_view kTraceTail = "                              ";  // 30 spaces
constexpr int kTraceX = 5;
constexpr int kTraceY = 25;

Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// Tenths of a second since the first call. Scripts only compare times read from this clock, so
// its start, the first step, stands for the program's.
std::int32_t SteadyTenths() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  const auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
  return static_cast<std::int32_t>(ms / 100);
}

}  // namespace

CardView::CardView(const FasFile& fas, HDC screen, HPALETTE palette, const Window& cardWindow,
                   const DisplayScale& scale)
    : Canvas(fas, screen, palette, scale),
      cardWindow_(cardWindow),
      traceWindow_(FindWindowA(nullptr, kTraceWindowTitle)),
      player_(*this, ScriptsOf(fas), fas.Width(), fas.Height()) {}

CardView::~CardView() = default;

void CardView::Start(const std::string& label) {
  player_.Start(label);
  running_ = true;
  SetTimer(Handle(), kStepTimer, kStepMilliseconds, nullptr);
}

LRESULT CardView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SOUNDDONE:  // void OnSoundDone(WPARAM ticket, LPARAM sound)
      OnSoundDone(wParam, lParam);
      return 0;
    default:
      return Canvas::HandleMessage(msg, wParam, lParam);
  }
}

void CardView::OnTimer(UINT_PTR) {
  // A tick queued before the run ended, or a step nested in a message box of a step that has
  // since finished the run, must not finish it a second time.
  if (!running_) return;
  if (player_.Step() || !running_) return;
  running_ = false;
  KillTimer(Handle(), kStepTimer);
  OnScriptFinished();
}

void CardView::OnSoundDone(WPARAM wParam, LPARAM lParam) {
  delete WaveSound::FromNotice(wParam, lParam);
  player_.OnSoundDone();
}

void CardView::OnScriptFinished() { SendMessageA(cardWindow_.Handle(), WM_CARD_FINISHED, 0, 0); }

void CardView::ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId) {
  Canvas::ShowFrame(dx, dyUp, frameId);
}

Rect CardView::WindowRect() const {
  RECT placed{};
  POINT at = Position();
  if (Handle() && GetWindowRect(Handle(), &placed)) at = POINT{placed.left, placed.top};
  // In card pixels: the place the window stands for, and the frames' size.
  const Point card = Scale().ToCard(Point{at.x, at.y});
  const Rect frame = Scale().ToCard(Rect{0, 0, Width(), Height()});
  return Rect{card.x, card.y, card.x + frame.right, card.y + frame.bottom};
}

void CardView::StartSound(const std::string& name) {
  // Exactly one WM_SOUNDDONE comes back, also when the sound cannot play.
  WaveSound::Start(name, Handle());
}

std::int32_t CardView::NowTenths() { return SteadyTenths(); }

void CardView::ShowMessage(const std::string& text) {
  // The box's modal loop goes on delivering the step timer's ticks to this view.
  MessageBoxA(Handle(), text.c_str(), nullptr, MB_OK);
}

Rect CardView::WorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return Scale().ToCard(FromRECT(area));
}

std::optional<Rect> CardView::ControlRect(int id) {
  HWND card = cardWindow_.Handle();
  HWND control = card ? GetDlgItem(card, id) : nullptr;
  RECT r{};
  if (!control || !GetWindowRect(control, &r)) return std::nullopt;
  MapWindowPoints(nullptr, card, reinterpret_cast<POINT*>(&r), 2);
  return Scale().ToCard(FromRECT(r));
}

void CardView::Trace(const std::string& text) {
  if (!traceWindow_ || !IsWindow(traceWindow_)) return;
  const std::string line = text + std::string(kTraceTail);
  WindowDC dc(traceWindow_);
  TextOutA(dc, kTraceX, kTraceY, line.c_str(), static_cast<int>(line.size()));
}

}  // namespace card
