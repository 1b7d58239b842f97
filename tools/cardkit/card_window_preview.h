// `cardkit preview --card`: the card window's client area as card.exe draws it when the figure
// has played: the background colour, the pictures (each with its transparent colour), the
// message with its shadow, the four buttons with their bevels, captions and the logo, and, for
// the author, each hot spot's rectangle outlined in inverted colours. The control places and
// the button bevels are the card's own (shell/); the fonts are Debian's look-alikes of the
// card's (Comic Neue for the message, Liberation Sans for the captions), so the text differs
// from Windows' in its shapes, not in its place.
#pragma once

#include "card/card_folder.h"
#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <filesystem>

namespace card::kit {

// The system colours of the buttons' frame and bevel, as current Windows sets them by default.
inline constexpr Rgb kButtonFrame{100, 100, 100};
inline constexpr Rgb kButtonLight{255, 255, 255};
inline constexpr Rgb kButtonDark{160, 160, 160};

// Fails, naming the file, when a font is missing or a bitmap the layout names cannot be read.
Result<RgbImage> RenderCardWindow(const CardFolder& card, const std::filesystem::path& folder);

}  // namespace card::kit
