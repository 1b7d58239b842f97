// "Make a New Card" (see make_new_card_win.h).
#include "newcard/make_new_card_win.h"

#include "app/card_dialog_win.h"
#include "framework/application_win.h"
#include "newcard/new_message_dialog_win.h"

namespace card {
namespace {

// The card package is the program's first argument; without one no file is written.
std::string PackagePath() {
  const Application* application = Application::Current();
  if (!application || application->Arguments().empty()) return "";
  return application->Arguments().front();
}

}  // namespace

void OnMakeNewCard(CardDialog& card) {
  NewMessageDialog dialog(card.Handle(), card.MessageText(), PackagePath());
  dialog.SetCentred(card.Centred() ? 1 : 0);
  if (dialog.DoModal() != IDOK) return;
  card.SetCentred(dialog.Centred() != 0);
  card.SetMessage(dialog.Message());
}

}  // namespace card
