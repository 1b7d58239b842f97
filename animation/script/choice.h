// Weighted random choices: '{alt|alt%W|...}' draws one alternative with the card's generator.
#pragma once

#include "animation/script/card_random.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace card {

struct ChoiceAlternative {
  std::string_view text;
  std::uint16_t weight = 1;
  friend bool operator==(const ChoiceAlternative&, const ChoiceAlternative&) = default;
};

// An alternative's weight comes after its last '%': the leading digits there, taken modulo
// 65536 (0 without digits). Without a '%' the weight is 1 and the text is the whole alternative.
ChoiceAlternative ChoiceWeight(std::string_view alternative);

// The alternatives of a choice token: its text without the first and the last character, split
// at every '|' regardless of nesting.
std::vector<ChoiceAlternative> ChoiceAlternatives(std::string_view token);

// Draws one alternative: r = next random number modulo the total weight, then the first
// alternative whose weight exceeds what is left of r. When the weights add up to 0 there is
// nothing to draw from: the result is empty and no random number is used.
std::string_view PickChoice(std::string_view token, CardRandom& random);

}  // namespace card
