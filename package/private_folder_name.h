// The names of the private folders that card packages unpack into, under the user's temporary
// folder: "ZelkCard-" and eight hexadecimal digits, so that leftovers of earlier runs can be
// told from everything else there.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace card {

constexpr std::string_view kPrivateFolderPrefix = "ZelkCard-";

std::string PrivateFolderName(std::uint32_t number);

// True for exactly the names PrivateFolderName gives: the prefix as it is, upper-case digits.
bool IsPrivateFolderName(std::string_view name);

}  // namespace card
