// Windows's device names (see windows_device_names.h).
#include "content/windows_device_names.h"

#include <algorithm>
#include <array>
#include <string>

namespace card {
namespace {

bool IsDeviceNumber(std::string_view digit) {
  constexpr std::array<std::string_view, 6> kSuperscripts = {
      "\xC2\xB9", "\xC2\xB2", "\xC2\xB3", "\xB9", "\xB2", "\xB3"};
  return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') ||
         std::find(kSuperscripts.begin(), kSuperscripts.end(), digit) != kSuperscripts.end();
}

}  // namespace

bool IsDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  constexpr std::array<std::string_view, 7> kFixed = {"con",    "prn",     "aux",   "nul",
                                                      "conin$", "conout$", "clock$"};
  if (std::find(kFixed.begin(), kFixed.end(), base) != kFixed.end()) return true;
  const std::string_view view(base);
  return (view.starts_with("com") || view.starts_with("lpt")) && IsDeviceNumber(view.substr(3));
}

}  // namespace card
