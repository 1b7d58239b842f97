// layout.txt as an author writes it: Layout.txt's lines, where any colour may also be written
// as #RRGGBB (red, green, blue in hexadecimal, as web pages write them) instead of the decimal
// number the card reads (blue * 65536 + green * 256 + red).
#pragma once

#include "common/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace card::kit {

// The decimal number the card reads for "#RRGGBB"; nothing when `text` is not exactly that.
std::optional<std::uint32_t> HexColour(std::string_view text);

// The layout text with every #RRGGBB on its colour lines (the two lines of three colours, the
// hot spots' colour pairs and the palette entries) written as the decimal number. Text that
// does not parse as a layout is returned as it is, for the check to say what is wrong with it;
// a '#' on a colour line that is not followed by six hexadecimal digits fails, naming
// `fileName` and the line.
Result<std::string> LayoutFromSource(std::string_view text, std::string_view fileName);

}  // namespace card::kit
