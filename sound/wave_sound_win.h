// One sound effect: a clip of the sound bank played in place through wave-out. The owner (the
// animation view) is told by WM_SOUNDDONE when the clip has ended or could not start, and then
// deletes the sound. One sound plays at a time; starting one stops the one before.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <string_view>

namespace card {

// Posted, never sent, to a sound's owner: wParam = the sound's ticket, lParam = the WaveSound.
// Exactly one arrives for every sound that is not stopped early. Pass both to FromNotice.
constexpr UINT WM_SOUNDDONE = WM_APP + 3;

class WaveSound {
 public:
  // Stops the current sound, then starts the named clip of the sound bank. A sound that cannot
  // play (no bank, no device, no such clip, a device error) posts its WM_SOUNDDONE at once.
  WaveSound(std::string_view name, HWND owner) noexcept;
  // Releases what the sound obtained; a clip still playing is cut off first.
  ~WaveSound();
  WaveSound(const WaveSound&) = delete;
  WaveSound& operator=(const WaveSound&) = delete;

  // `new WaveSound`, except that when memory runs out it posts WM_SOUNDDONE with lParam 0, so
  // that the run waiting for the sound still goes on, and returns null.
  static WaveSound* Start(std::string_view name, HWND owner) noexcept;

  // The live sound a WM_SOUNDDONE names, or null when the notice is late (its sound has been
  // deleted, perhaps with a newer sound now at the same address) or came from a failed Start.
  static WaveSound* FromNotice(WPARAM wParam, LPARAM lParam);

 private:
  static void CALLBACK OnDeviceMessage(HWAVEOUT device, UINT message, DWORD_PTR instance,
                                       DWORD_PTR param1, DWORD_PTR param2);
  bool Play(std::string_view name);
  void PostDone();

  friend void StopCurrentSound();

  WAVEHDR header_{};
  std::atomic<bool> stopRequested_{false};
  HWAVEOUT device_ = nullptr;
  HWND owner_;
  WPARAM ticket_;
  bool prepared_ = false;
  bool written_ = false;
};

// Stops and deletes the current sound, if there is one. Its WM_SOUNDDONE, if not yet posted,
// never comes.
void StopCurrentSound();

// The sound that is live now (at most one is), or null.
WaveSound* CurrentSound();

}  // namespace card
