// The animation view: the figure window that runs the card's script, one step every 100 ms.
// It owns the portable script player and is its host on Windows: frames and moves go to the
// canvas it derives from, sounds to wave-out, boxes to MessageBox, and the bounds tokens to the
// trace window when a "Qurlo.txt - Notepad" window was open at start. When a run has ended it
// stops its timer and sends WM_CARD_FINISHED to the card window. The player works in card
// pixels: the view turns the work area, the card window's controls and its own place into card
// pixels at its display scale, and the canvas turns the moves back into device pixels.
#pragma once

#include "animation/canvas/canvas_win.h"
#include "animation/fas/fas_file.h"
#include "animation/player/player_host.h"
#include "animation/player/script_player.h"
#include "framework/window_win.h"

#include <windows.h>

#include <optional>
#include <string>

namespace card {

// Sent (wParam 0, lParam 0) to the card window when a run of the script has ended.
constexpr UINT WM_CARD_FINISHED = 0x006F;

class CardView : public Canvas, private PlayerHost {
 public:
  // The script's frames and scripts come from `fas`; `screen` and `palette` are as for Canvas.
  // `cardWindow` is the card window: it need not exist yet, only when the view plays. It
  // receives WM_CARD_FINISHED, and its controls are the reference rectangles of bounds.
  CardView(const FasFile& fas, HDC screen, HPALETTE palette, const Window& cardWindow,
           const DisplayScale& scale = {});
  ~CardView() override;

  // Appends a run of the script `label` and starts the timer. Nothing else is reset: the next
  // run goes on from where the last one left the view.
  void Start(const std::string& label);
  bool Running() const { return running_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnTimer(UINT_PTR id) override;
  // WM_SOUNDDONE: the sound the script started has ended or could not play.
  void OnSoundDone(WPARAM wParam, LPARAM lParam);
  // A run has ended; tells the card window.
  virtual void OnScriptFinished();

 private:
  static constexpr UINT_PTR kStepTimer = 1;
  static constexpr UINT kStepMilliseconds = 100;  // ten steps a second

  // PlayerHost
  void ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId) override;
  Rect WindowRect() const override;
  void StartSound(const std::string& name) override;
  std::int32_t NowTenths() override;
  void ShowMessage(const std::string& text) override;
  Rect WorkArea() override;
  std::optional<Rect> ControlRect(int id) override;
  void Trace(const std::string& text) override;

  const Window& cardWindow_;
  HWND traceWindow_;
  ScriptPlayer player_;
  bool running_ = false;
};

}  // namespace card
