// Building a Windows command line from arguments, quoted so that the program's C runtime splits
// it back into the same arguments.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace card {

// Each argument in double quotes where it needs them (empty, or holding a space, a tab or a
// quote), with backslashes doubled before a quote; arguments separated by one space.
std::string JoinCommandLine(std::span<const std::string_view> arguments);

}  // namespace card
