// The geometry of a figure-window move: what is excluded, kept and shifted.
#include "animation/canvas/move_plan.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>

namespace card {
namespace {

struct MoveCase {
  const char* what;
  std::int32_t dx, dy;
  Rect newWindow, kept, keptAfterMove;
};

void PrintTo(const MoveCase& c, std::ostream* out) { *out << c.what; }

class PlanMoveTest : public testing::TestWithParam<MoveCase> {};

// A 40 x 30 window throughout.
TEST_P(PlanMoveTest, KeepsTheOverlapAndShiftsItToTheNewPosition) {
  const MoveCase& c = GetParam();
  const MovePlan plan = PlanMove(40, 30, c.dx, c.dy);
  EXPECT_EQ(plan.newWindow, c.newWindow) << c.what;
  EXPECT_EQ(plan.kept, c.kept) << c.what;
  EXPECT_EQ(plan.keptAfterMove, c.keptAfterMove) << c.what;
  EXPECT_EQ(plan.Overlaps(), !c.kept.IsEmpty()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanMoveTest,
    testing::Values(
        // One column is new: the kept part is all the rest, shifted one to the left.
        MoveCase{"one right", 1, 0, {1, 0, 41, 30}, {1, 0, 40, 30}, {0, 0, 39, 30}},
        MoveCase{"one left", -1, 0, {-1, 0, 39, 30}, {0, 0, 39, 30}, {1, 0, 40, 30}},
        MoveCase{"up and right", 5, -7, {5, -7, 45, 23}, {5, 0, 40, 23}, {0, 7, 35, 30}},
        MoveCase{"down and left", -10, 4, {-10, 4, 30, 34}, {0, 4, 30, 30}, {10, 0, 40, 26}},
        MoveCase{"width minus one", 39, 0, {39, 0, 79, 30}, {39, 0, 40, 30}, {0, 0, 1, 30}},
        // Clear of the old place: nothing kept, the whole new background comes from the screen.
        MoveCase{"exactly the width", 40, 0, {40, 0, 80, 30}, {}, {}},
        MoveCase{"more than the width left", -55, 3, {-55, 3, -15, 33}, {}, {}},
        MoveCase{"exactly the height up", 0, -30, {0, -30, 40, 0}, {}, {}},
        MoveCase{"far down", 2, 1000, {2, 1000, 42, 1030}, {}, {}},
        MoveCase{"no move keeps everything", 0, 0, {0, 0, 40, 30}, {0, 0, 40, 30},
                 {0, 0, 40, 30}}));

TEST(PlanMove, HugeMovesSaturateInsteadOfOverflowing) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  const MovePlan plan = PlanMove(40, 30, kMax, kMin);
  EXPECT_FALSE(plan.Overlaps());
  EXPECT_EQ(plan.newWindow.right, kMax);
  EXPECT_EQ(plan.newWindow.top, kMin);
  EXPECT_EQ(MovedCoordinate(100, kMax), kMax);
  EXPECT_EQ(MovedCoordinate(-100, kMin), kMin);
  EXPECT_EQ(MovedCoordinate(-100, 30), -70);
}

}  // namespace
}  // namespace card
