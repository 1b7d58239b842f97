// Everything the script player needs from outside the portable core. The Windows view
// implements it with the figure window, wave-out and message boxes; the simulator and the tests
// implement it in memory. The player never sees a window handle or a real clock.
#pragma once

#include "common/geometry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace card {

class PlayerHost {
 public:
  virtual ~PlayerHost() = default;

  // Moves the figure window by dx pixels right and dyUp pixels up (when either is nonzero),
  // then shows frame id `frameId` (-1: the frame shown last).
  virtual void ShowFrame(std::int32_t dx, std::int32_t dyUp, std::int32_t frameId) = 0;
  // The figure window's rectangle in screen coordinates.
  virtual Rect WindowRect() const = 0;
  // Starts the named sound. The host answers every call with exactly one call of the player's
  // OnSoundDone: when the sound ends, or at once after the current step when it cannot play.
  virtual void StartSound(const std::string& name) = 0;
  // Tenths of a second since the program started.
  virtual std::int32_t NowTenths() = 0;
  // Shows a message box and returns when the user closed it. On Windows the box's modal loop
  // keeps delivering timer ticks, so further steps may run before this returns.
  virtual void ShowMessage(const std::string& text) = 0;
  // The desktop work area in screen coordinates.
  virtual Rect WorkArea() = 0;
  // The rectangle of the card window's control `id` in the card window's client coordinates,
  // or nothing when there is no such control.
  virtual std::optional<Rect> ControlRect(int id) = 0;
  // Draws a bounds specification into the trace window, when one is attached.
  virtual void Trace(const std::string& text) = 0;
};

}  // namespace card
