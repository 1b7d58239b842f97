// The card's one random-number generator. Its sequence is fixed (state 1 at start, never
// reseeded), so a card draws the same choices on every run: authors can rely on what they saw.
#pragma once

#include <cstdint>

namespace card {

class CardRandom {
 public:
  // The next number, 0..32767.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace card
