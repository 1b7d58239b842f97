// What a hot spot or "Visit Us" may open. A card comes from strangers, so it opens only an
// address on the web or for mail, or a page, picture or text file of its own folder (found by
// the card folder's one rule, card_files.h). Anything else (a program, a script, a shortcut, a
// share such as \\host\share, a file outside the folder, any other scheme) opens nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace card {

struct CardTarget {
  enum class Kind {
    Nothing,   // a click opens nothing
    Address,   // http:, https: or mailto:, for the browser or the mail program
    CardFile,  // a page, picture or text file of the card folder
  };
  Kind kind = Kind::Nothing;
  std::string text;  // the address as written, or the file's CardFileName
  friend bool operator==(const CardTarget&, const CardTarget&) = default;
};

CardTarget ClassifyTarget(std::string_view target);

// What a click on `target` hands to the shell or the browser in the card folder `folder` ("" for
// the current folder): the address, or the path of the card's file (FindCardFile); nothing when
// the target opens nothing or the folder has no such file.
std::optional<std::string> TargetToOpen(const std::string& folder, std::string_view target);

// What a card may open, for a sentence about a target that opens nothing.
inline constexpr std::string_view kTargetsACardOpens =
    "a card opens only http:, https: and mailto: addresses and the pages, pictures and text "
    "files of its own folder";

}  // namespace card
