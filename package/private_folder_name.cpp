// Private folder names (see private_folder_name.h).
#include "package/private_folder_name.h"

#include <algorithm>

namespace card {
namespace {

constexpr std::size_t kDigits = 8;

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

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
  return name.starts_with(kPrivateFolderPrefix) &&
         std::all_of(digits.begin(), digits.end(), IsUpperHexDigit);
}

}  // namespace card
