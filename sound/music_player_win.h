// The background music: card.mid, from the card program's folder (its executable's, or the
// folder a card package unpacked its card into), played by
// the MIDI sequencer through MCI while a playing of the card runs, from its start each time
// and again whenever it ends when the layout asks for repeats. One player exists at a time.
#pragma once

#include "sound/music_notify_window_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <string_view>

namespace card {

class MusicPlayer {
 public:
  // Opens card.mid and plays it from the start. When the sequencer cannot open it, the
  // player stays silent (Device() 0); when it opened but cannot report its output port,
  // Usable() is false and the player is to be deleted.
  explicit MusicPlayer(bool repeat);
  // Closes the device and destroys the notice window.
  virtual ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Rewinds the device and plays it to its end, with a completion notice to the window.
  void PlayFromStart();
  bool Usable() const { return usable_; }
  bool Repeats() const { return repeat_; }
  MCIDEVICEID Device() const { return device_; }
  HWND NotifyWindow() const { return window_.Handle(); }

  // A sequencer notice (MCI_NOTIFY_*) for the current player: a successful end plays the
  // music again when it repeats and ends the player otherwise; every other notice is ignored.
  static void OnNotice(UINT code);

 private:
  void Close();

  MusicNotifyWindow window_;
  MCIDEVICEID device_ = 0;
  bool repeat_;
  bool usable_ = true;
};

// Stops any music, then starts card.mid with the given repeat flag. Nothing is reported when it
// cannot play: the card goes on without music.
void StartMusic(bool repeat);
// Stops the music, if any.
void StopMusic();
// The current player, or null when there is none.
MusicPlayer* CurrentMusicPlayer();

// Makes `folder` (ANSI, ending in a backslash) the card program's folder, where card.mid is:
// a card package's content stands in for the program's own folder.
void SetMusicFolder(std::string folder);

// Where the music is looked for: card.mid in the folder set, else beside the running executable.
std::string MusicPath();
// card.mid in the folder of `executablePath`; just "card.mid" for a bare file name.
std::string MusicPathBeside(std::string_view executablePath);

}  // namespace card
