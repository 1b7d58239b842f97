// Splitting, weighing and drawing the alternatives of a choice.
#include "animation/script/choice.h"

namespace card {

ChoiceAlternative ChoiceWeight(std::string_view alternative) {
  const std::size_t percent = alternative.rfind('%');
  if (percent == std::string_view::npos) return {alternative, 1};
  std::uint32_t weight = 0;
  for (std::size_t i = percent + 1; i < alternative.size(); ++i) {
    const char c = alternative[i];
    if (c < '0' || c > '9') break;
    weight = (weight * 10 + static_cast<std::uint32_t>(c - '0')) % 65536;
  }
  return {alternative.substr(0, percent), static_cast<std::uint16_t>(weight)};
}

std::vector<ChoiceAlternative> ChoiceAlternatives(std::string_view token) {
  const std::string_view contents =
      token.size() >= 2 ? token.substr(1, token.size() - 2) : std::string_view{};
  std::vector<ChoiceAlternative> alternatives;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = contents.find('|', start);
    alternatives.push_back(ChoiceWeight(contents.substr(start, bar - start)));
    if (bar == std::string_view::npos) return alternatives;
    start = bar + 1;
  }
}

std::string_view PickChoice(std::string_view token, CardRandom& random) {
  const std::vector<ChoiceAlternative> alternatives = ChoiceAlternatives(token);
  std::int64_t total = 0;
  for (const ChoiceAlternative& alternative : alternatives) total += alternative.weight;
  if (total == 0) return {};
  std::int64_t r = random.Next() % total;
  for (const ChoiceAlternative& alternative : alternatives) {
    if (r < alternative.weight) return alternative.text;
    r -= alternative.weight;
  }
  return {};  // not reached: r is below the total
}

}  // namespace card
