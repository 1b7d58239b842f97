// Feeds arbitrary text to the layout parser. Besides the sanitizers' checks, a layout it
// accepts must keep within the card window's lists and carry the palette flag on its colours.
#include "layout/layout_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto layout = card::ParseLayout(text);
  if (!layout.ok()) {
    if (layout.error().empty()) std::abort();
    return 0;
  }
  const card::LayoutFile& file = *layout;
  if (file.images.size() + 1 > card::kMaxPlacedImages) std::abort();
  if (file.hotSpots.size() > card::kMaxHotSpots) std::abort();
  for (std::uint32_t colour :
       {file.colours.background, file.colours.messageText, file.colours.messageShadow,
        file.colours.buttonFace, file.colours.buttonText, file.colours.buttonTextShadow}) {
    if ((colour & card::kPaletteRelativeFlag) == 0) std::abort();
  }
  return 0;
}
