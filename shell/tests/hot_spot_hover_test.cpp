// Hot-spot hit testing and hover tracking: list order, exclusive edges, and which changes need
// a redraw.
#include "shell/hot_spot_hover.h"

#include <gtest/gtest.h>

#include <vector>

namespace card {
namespace {

HotSpot Spot(Rect rect, std::uint32_t from = 0, std::uint32_t to = 0, const char* image = "") {
  HotSpot spot;
  spot.rect = rect;
  spot.fromColour = from;
  spot.toColour = to;
  spot.hoverImage = image;
  return spot;
}

TEST(HotSpotHitTest, TakesTheFirstSpotInListOrderAndLeavesRightAndBottomEdgesOut) {
  const std::vector<HotSpot> spots = {Spot({10, 10, 50, 50}), Spot({30, 30, 80, 80})};
  struct {
    Point p;
    const HotSpot* expected;
  } cases[] = {
      {{10, 10}, &spots[0]}, {{40, 40}, &spots[0]}, {{49, 49}, &spots[0]},
      {{50, 50}, &spots[1]}, {{79, 30}, &spots[1]}, {{80, 30}, nullptr},
      {{9, 10}, nullptr},    {{30, 80}, nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HitTest(spots, c.p), c.expected) << c.p.x << "," << c.p.y;
  }
  EXPECT_EQ(HitTest({}, Point{0, 0}), nullptr);
}

TEST(HotSpotHover, FlagsEverySpotHoldingThePointAndRedrawsOnlyVisibleChanges) {
  std::vector<HotSpot> spots = {
      Spot({0, 0, 100, 100}, 255, 65280),          // colour swap
      Spot({50, 50, 150, 150}, 7, 7),               // cursor only
      Spot({60, 60, 70, 70}, 255, 255, "over.bmp"),  // hover image
  };
  HoverChange enter = UpdateHover(spots, {65, 65});
  EXPECT_TRUE(enter.pointerInside);
  EXPECT_TRUE(spots[0].hover && spots[1].hover && spots[2].hover);
  EXPECT_EQ(enter.toRedraw, (std::vector<Rect>{{0, 0, 100, 100}, {60, 60, 70, 70}}));
  EXPECT_TRUE(AnyHovered(spots));

  HoverChange stay = UpdateHover(spots, {66, 66});
  EXPECT_TRUE(stay.pointerInside);
  EXPECT_TRUE(stay.toRedraw.empty()) << "no change, nothing redrawn";

  HoverChange partly = UpdateHover(spots, {120, 120});
  EXPECT_TRUE(partly.pointerInside);
  EXPECT_FALSE(spots[0].hover);
  EXPECT_TRUE(spots[1].hover);
  EXPECT_EQ(partly.toRedraw, (std::vector<Rect>{{0, 0, 100, 100}, {60, 60, 70, 70}}));

  HoverChange leave = UpdateHover(spots, {-5, 300});
  EXPECT_FALSE(leave.pointerInside);
  EXPECT_TRUE(leave.toRedraw.empty()) << "the spot left last shows only a cursor";
  EXPECT_FALSE(AnyHovered(spots));
}

TEST(HotSpotHover, CountsAHoverImageOrADifferentColourAsAVisibleEffect) {
  EXPECT_FALSE(HasHoverEffect(Spot({}, 5, 5)));
  EXPECT_TRUE(HasHoverEffect(Spot({}, 5, 6)));
  EXPECT_TRUE(HasHoverEffect(Spot({}, 5, 5, "a.bmp")));
}

}  // namespace
}  // namespace card
