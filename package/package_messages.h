// What a card package says when it cannot play its card: one message box, whose text says what
// happened first and then why, in the words of the step that failed.
#pragma once

#include <string>
#include <string_view>

namespace card {

constexpr std::string_view kCardBoxTitle = "Zelk Greeting Card";

// The package itself is wrong: "This card file is damaged, ..." and the reader's sentence.
std::string DamagedCardText(std::string_view reason);

// The card's files could not be written into `folder` (or the folder could not be made).
std::string UnpackFailedText(std::string_view folder, std::string_view reason);

}  // namespace card
