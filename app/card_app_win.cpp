// Program start and end (see card_app_win.h).
#include "app/card_app_win.h"

#include "app/card_dialog_win.h"
#include "app/desktop_card_parts_win.h"
#include "card/card_folder.h"

namespace card {

constexpr const char* kProductName = "Zelk Greeting Card";

bool CardApp::InitInstance() {
  // The card's content files are in the current folder.
  Result<CardFolder> content = LoadCardFolder("");
  if (!content) {
    MessageBoxA(nullptr, content.error().c_str(), kProductName, MB_OK | MB_ICONSTOP);
    return false;
  }
  // The card package is the first argument; without one "Make a New Card" writes no file.
  DesktopCardParts parts(Arguments().empty() ? std::string() : Arguments().front());
  CardDialog card(std::move(content).value(), parts);
  card.ShowFigure();
  card.DoModal();
  return false;
}

}  // namespace card
