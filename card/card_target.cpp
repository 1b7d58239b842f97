// Telling what a target opens (see card_target.h).
#include "card/card_target.h"

#include "card/card_files.h"
#include "content/card_file_types.h"

#include <algorithm>
#include <array>

namespace card {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char s, char t) {
           return s == (t >= 'A' && t <= 'Z' ? static_cast<char>(t - 'A' + 'a') : t);
         });
}

// Characters no address holds as they are; a browser's or mail program's command line could
// read them as the end of the address or as more of the command.
bool IsUnsafeInAddress(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7F ||
         std::string_view("\"<>\\`^{|}").find(c) != std::string::npos;
}

bool IsAddress(std::string_view target) {
  constexpr std::array<std::string_view, 3> kSchemes = {"http://", "https://", "mailto:"};
  const auto scheme = std::find_if(kSchemes.begin(), kSchemes.end(), [&](std::string_view s) {
    return StartsWithIgnoringCase(target, s);
  });
  return scheme != kSchemes.end() && target.size() > scheme->size() &&
         std::none_of(target.begin(), target.end(), IsUnsafeInAddress);
}

}  // namespace

CardTarget ClassifyTarget(std::string_view target) {
  if (IsAddress(target)) return {CardTarget::Kind::Address, std::string(target)};
  if (std::optional<std::string> name = CardFileName(target);
      name && MayOpen(CardFileTypeOf(*name))) {
    return {CardTarget::Kind::CardFile, std::move(*name)};
  }
  return {};
}

std::optional<std::string> TargetToOpen(const std::string& folder, std::string_view target) {
  CardTarget classified = ClassifyTarget(target);
  switch (classified.kind) {
    case CardTarget::Kind::Address: return std::move(classified.text);
    case CardTarget::Kind::CardFile: return FindCardFile(folder, classified.text);
    case CardTarget::Kind::Nothing: break;
  }
  return std::nullopt;
}

}  // namespace card
