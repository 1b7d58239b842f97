// The player's clock: tenths of a second since the program started. The program reads a
// steady clock; tests and the simulator install their own.
#pragma once

#include <cstdint>
#include <functional>

namespace card {

using TenthsClock = std::function<std::int32_t()>;

// Tenths of a second since the first call (the program's start, for all practical purposes).
std::int32_t SteadyTenths();

}  // namespace card
