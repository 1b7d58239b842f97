// The card's real parts (see desktop_card_parts_win.h).
#include "app/desktop_card_parts_win.h"

#include "animation/player/card_view_win.h"
#include "app/card_dialog_win.h"
#include "app/make_new_card_win.h"
#include "shell/card_look_win.h"
#include "sound/music_player_win.h"
#include "sound/sound_bank_win.h"

namespace card {
namespace {

class CardViewFigure : public FigureView {
 public:
  CardViewFigure(const FasFile& fas, HDC screen, HPALETTE palette, const Window& cardWindow)
      : view_(fas, screen, palette, cardWindow, TheCardLook().scale) {}
  HWND Handle() const override { return view_.Handle(); }
  void Start(const std::string& label) override { view_.Start(label); }

 private:
  CardView view_;
};

}  // namespace

std::unique_ptr<FigureView> DesktopCardParts::MakeView(const FasFile& fas, HDC screen,
                                                       HPALETTE palette,
                                                       const Window& cardWindow) {
  return std::make_unique<CardViewFigure>(fas, screen, palette, cardWindow);
}

DesktopCardParts::~DesktopCardParts() {
  card::StopMusic();
  RegisterSoundBank(nullptr);
}

void DesktopCardParts::UseSoundBank(std::unique_ptr<WasFile> bank) {
  // Without the bank the card plays silently; nothing is reported.
  RegisterSoundBank(std::move(bank));
}

void DesktopCardParts::StartMusic(bool repeat) { card::StartMusic(repeat); }

void DesktopCardParts::StopMusic() { card::StopMusic(); }

void DesktopCardParts::MakeNewCard(CardDialog& card) { OnMakeNewCard(card, packagePath_); }

}  // namespace card
