// The names of a card's content files, the one list every reader, writer and checker uses. The
// card reads them from its folder, except the music, which lies beside the program; the folder
// also holds the bitmaps that Layout.txt names.
#pragma once

#include <string_view>

namespace card {

inline constexpr std::string_view kLayoutFile = "Layout.txt";
inline constexpr std::string_view kFramesFile = "Card.FAS";
inline constexpr std::string_view kSoundsFile = "Card.WAS";
inline constexpr std::string_view kMessageFile = "msg.txt";
inline constexpr std::string_view kMusicFile = "card.mid";

}  // namespace card
