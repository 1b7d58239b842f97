#include "animation/script/now_tenths.h"

#include <chrono>

namespace card {

std::int32_t SteadyTenths() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  const auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
  return static_cast<std::int32_t>(ms * 10 / 1000);
}

}  // namespace card
