// "Make a New Card" (see make_new_card_win.h).
#include "app/make_new_card_win.h"

#include "app/card_dialog_win.h"
#include "framework/visual_styles_win.h"
#include "newcard/new_message_dialog_win.h"
#include "res/resource.h"

namespace card {

void OnMakeNewCard(CardDialog& card, const std::string& packagePath) {
  // The two dialogs look as the system's own do now; the card window keeps its classic look.
  const VisualStyles currentLook(IDR_VISUAL_STYLES);
  NewMessageDialog dialog(card.Handle(), card.MessageText(), packagePath);
  dialog.SetCentred(card.Centred() ? 1 : 0);
  if (dialog.DoModal() != IDOK) return;
  card.SetCentred(dialog.Centred() != 0);
  card.SetMessage(dialog.Message());
}

}  // namespace card
