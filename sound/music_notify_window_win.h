// The hidden window that a MusicPlayer gives the MIDI sequencer as the receiver of its
// completion notices (MM_MCINOTIFY). It is a popup of the system's "static" class, never shown.
#pragma once

#include "framework/window_win.h"

#include <mmsystem.h>

namespace card {

class MusicNotifyWindow : public Window {
 public:
  // Creates the window at once; Handle() is null when that failed.
  MusicNotifyWindow();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnMciNotify(UINT code, MCIDEVICEID device);  // MM_MCINOTIFY
};

}  // namespace card
