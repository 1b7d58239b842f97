// Private folder names (see private_folder_name.h).
#include "package/private_folder_name.h"

#include <algorithm>

namespace card {
namespace {

constexpr std::size_t kDigits = 8;

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return (x | 0x20) == (y | 0x20);
  });
}

}  // namespace

std::string PrivateFolderName(std::uint32_t number) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string name(kPrivateFolderPrefix);
  for (int shift = 28; shift >= 0; shift -= 4) name += kHex[(number >> shift) & 0xF];
  return name;
}

bool IsPrivateFolderName(std::string_view name) {
  if (name.size() != kPrivateFolderPrefix.size() + kDigits) return false;
  const std::string_view digits = name.substr(kPrivateFolderPrefix.size());
  return SameLetters(name.substr(0, kPrivateFolderPrefix.size()), kPrivateFolderPrefix) &&
         std::all_of(digits.begin(), digits.end(), IsHexDigit);
}

}  // namespace card
