// The music's notice window: passes the sequencer's completion notices to the music player.
#include "sound/music_notify_window_win.h"

#include "sound/music_player_win.h"

namespace card {

MusicNotifyWindow::MusicNotifyWindow() {
  Create(0, "static", nullptr, WS_POPUP, 10, 20, 0, 0, nullptr, nullptr);
}

LRESULT MusicNotifyWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case MM_MCINOTIFY:  // void OnMciNotify(UINT code, MCIDEVICEID device)
      OnMciNotify(static_cast<UINT>(wParam), static_cast<MCIDEVICEID>(lParam));
      return 0;
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

// The notice concerns the current player whichever device it names: only the current
// player's window exists to receive one.
void MusicNotifyWindow::OnMciNotify(UINT code, MCIDEVICEID) { MusicPlayer::OnNotice(code); }

}  // namespace card
