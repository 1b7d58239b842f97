// Program start and end (see card_app_win.h).
#include "app/card_app_win.h"

#include "app/card_content.h"
#include "app/card_dialog_win.h"
#include "app/desktop_card_parts_win.h"

namespace card {

constexpr const char* kProductName = "Zelk Greeting Card";

bool CardApp::InitInstance() {
  Result<CardContent> content = LoadCardContent();
  if (!content) {
    MessageBoxA(nullptr, content.error().c_str(), kProductName, MB_OK | MB_ICONSTOP);
    return false;
  }
  DesktopCardParts parts;
  CardDialog card(std::move(content).value(), parts);
  SetMainWindow(&card);
  card.DoModal();
  SetMainWindow(nullptr);
  return false;
}

}  // namespace card
