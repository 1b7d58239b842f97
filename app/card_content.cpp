// Loading Layout.txt and Card.FAS (see card_content.h).
#include "app/card_content.h"

#include "layout/layout_reader.h"

namespace card {

Result<CardContent> LoadCardContent() {
  Result<LayoutFile> layout = ParseLayout(ReadLayoutText("Layout.txt"), "Layout.txt");
  if (!layout) return Fail(layout.error());
  Result<std::unique_ptr<FasFile>> fas = FasFile::Open("Card.FAS");
  if (!fas) return Fail(fas.error());
  return CardContent{std::move(layout).value(), std::move(fas).value()};
}

}  // namespace card
