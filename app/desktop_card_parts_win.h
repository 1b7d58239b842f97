// The card's real parts: the CardView over Card.FAS, the sound bank Card.WAS, the background
// music card.mid and the new-card command.
#pragma once

#include "app/card_parts_win.h"

#include <string>
#include <utility>

namespace card {

class DesktopCardParts : public CardParts {
 public:
  // `packagePath`: the card package "Make a New Card" copies (UTF-8); empty for none.
  explicit DesktopCardParts(std::string packagePath) : packagePath_(std::move(packagePath)) {}
  // Stops the music and closes the sound bank: once the card has ended nothing holds its files,
  // which a card package then removes.
  ~DesktopCardParts() override;
  DesktopCardParts(const DesktopCardParts&) = delete;
  DesktopCardParts& operator=(const DesktopCardParts&) = delete;

  std::unique_ptr<FigureView> MakeView(const FasFile& fas, HDC screen, HPALETTE palette,
                                       const Window& cardWindow) override;
  void UseSoundBank(std::unique_ptr<WasFile> bank) override;
  void StartMusic(bool repeat) override;
  void StopMusic() override;
  void MakeNewCard(CardDialog& card) override;

 private:
  std::string packagePath_;
};

}  // namespace card
