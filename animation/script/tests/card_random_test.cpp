#include "animation/script/card_random.h"

#include <gtest/gtest.h>

namespace card {
namespace {

TEST(CardRandom, StartsWithTheFixedSequence) {
  CardRandom random;
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);
  EXPECT_EQ(random.Next(), 26500);
}

}  // namespace
}  // namespace card
