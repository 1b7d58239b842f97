// The card's real parts: the CardView over Card.FAS, the sound bank Card.WAS, the background
// music card.mid and the new-card command.
#pragma once

#include "app/card_parts_win.h"

namespace card {

class DesktopCardParts : public CardParts {
 public:
  std::unique_ptr<FigureView> MakeView(const FasFile& fas, HDC screen, HPALETTE palette,
                                       const Window& cardWindow) override;
  void OpenSoundBank() override;
  void StartMusic(bool repeat) override;
  void StopMusic() override;
  void MakeNewCard(CardDialog& card) override;
};

}  // namespace card
