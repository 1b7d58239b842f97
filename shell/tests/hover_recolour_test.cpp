// Which parts of a card picture hovered hot spots recolour.
#include "shell/hover_recolour.h"

#include <gtest/gtest.h>

#include <vector>

namespace card {
namespace {

HotSpot Spot(Rect rect, bool hover = true, std::uint32_t from = 0x0000FF, std::uint32_t to = 0xFF0000,
             std::string hoverImage = "") {
  HotSpot spot;
  spot.hover = hover;
  spot.rect = rect;
  spot.fromColour = from;
  spot.toColour = to;
  spot.hoverImage = std::move(hoverImage);
  return spot;
}

const Rect kPicture{100, 50, 200, 130};  // a 100 x 80 picture placed at (100, 50)

TEST(HoverRecolour, RedrawsOnlyTheOverlapFromTheMatchingSourcePoint) {
  const std::vector<HotSpot> spots{Spot({150, 20, 260, 70})};
  const std::vector<HoverRecolour> expected{{{150, 50, 200, 70}, {50, 0}, 0x0000FF, 0xFF0000}};
  EXPECT_EQ(HoverRecolours(kPicture, spots), expected);
}

TEST(HoverRecolour, KeepsListOrderAndSkipsSpotsThatSwapNothing) {
  const std::vector<HotSpot> spots{
      Spot({90, 40, 110, 60}),                                 // top-left corner
      Spot({120, 60, 130, 70}, false),                         // not hovered
      Spot({120, 60, 130, 70}, true, 0x00FF00, 0x00FF00),      // from == to
      Spot({120, 60, 130, 70}, true, 0x0000FF, 0xFF0000, "x.bmp"),  // has a hover image
      Spot({300, 300, 310, 310}),                              // outside the picture
      Spot({200, 50, 210, 60}),                                // touches the right edge only
      Spot({0, 0, 1000, 1000}, true, 0x111111, 0x222222),      // covers it all
  };
  const std::vector<HoverRecolour> expected{
      {{100, 50, 110, 60}, {0, 0}, 0x0000FF, 0xFF0000},
      {{100, 50, 200, 130}, {0, 0}, 0x111111, 0x222222},
  };
  EXPECT_EQ(HoverRecolours(kPicture, spots), expected);
}

TEST(HoverRecolour, APictureOfNoSizeIsNeverRecoloured) {
  const std::vector<HotSpot> spots{Spot({0, 0, 1000, 1000})};
  EXPECT_TRUE(HoverRecolours(Rect{100, 50, 100, 50}, spots).empty());
}

}  // namespace
}  // namespace card
