// What the card window drives but does not make itself: the animation view, the sound bank,
// the background music and the "Make a New Card" command. The program uses the real ones
// (desktop_card_parts_win.h); tests stand in for them and record what the card window asks.
#pragma once

#include "animation/fas/fas_file.h"
#include "sound/was_file.h"
#include "framework/window_win.h"

#include <windows.h>

#include <memory>
#include <string>

namespace card {

class CardDialog;

// The animation view as the card window sees it: a window it shows, and a script it starts.
class FigureView {
 public:
  virtual ~FigureView() = default;
  virtual HWND Handle() const = 0;
  virtual void Start(const std::string& label) = 0;
};

class CardParts {
 public:
  virtual ~CardParts() = default;
  // The view over `fas`; it reports the end of each playing to `cardWindow` (WM_CARD_FINISHED).
  virtual std::unique_ptr<FigureView> MakeView(const FasFile& fas, HDC screen, HPALETTE palette,
                                               const Window& cardWindow) = 0;
  // Makes `bank` (Card.WAS, or null when it could not be opened) the program's sound bank;
  // called when the layout turns sound effects on.
  virtual void UseSoundBank(std::unique_ptr<WasFile> bank) = 0;
  // Stops any music, then plays it from its start.
  virtual void StartMusic(bool repeat) = 0;
  virtual void StopMusic() = 0;
  // The "Make a New Card" button.
  virtual void MakeNewCard(CardDialog& card) = 0;
};

}  // namespace card
