#include "common/display_scale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace card {
namespace {

TEST(DisplayScale, FromDpiTakesUsableValuesOnly) {
  struct Case {
    int dpi;
    int expectedDpi;
  };
  for (const Case& c : {Case{96, 96}, Case{120, 120}, Case{144, 144}, Case{192, 192},
                        Case{288, 288}, Case{480, 480}, Case{0, 96}, Case{-192, 96},
                        Case{72, 96}, Case{481, 96}, Case{100000, 96}}) {
    EXPECT_EQ(DisplayScale::FromDpi(c.dpi).Dpi(), c.expectedDpi) << c.dpi;
  }
  EXPECT_TRUE(DisplayScale().IsIdentity());
  EXPECT_EQ(DisplayScale::FromDpi(144).Percent(), 150);
  EXPECT_EQ(DisplayScale::FromDpi(168).Percent(), 175);
}

TEST(DisplayScale, CoordinatesRoundHalfUpAndWholeScalesMultiply) {
  struct Case {
    int dpi;
    std::int64_t card;
    std::int32_t device;
  };
  for (const Case& c : {
           Case{96, 630, 630}, Case{96, -37, -37},
           Case{192, 630, 1260}, Case{192, 430, 860}, Case{192, -9999, -19998},
           Case{288, 15, 45},
           Case{144, 1, 2}, Case{144, 2, 3}, Case{144, 3, 5}, Case{144, 630, 945},
           Case{144, -1, -1}, Case{144, -3, -4},
           Case{120, 1, 1}, Case{120, 2, 3}, Case{120, 630, 788}, Case{120, 430, 538},
           Case{168, 4, 7}, Case{168, 630, 1103},
           // far moves stay inside 32 bits
           Case{192, std::numeric_limits<std::int32_t>::max(),
                std::numeric_limits<std::int32_t>::max()},
           Case{192, std::numeric_limits<std::int32_t>::min(),
                std::numeric_limits<std::int32_t>::min()}}) {
    EXPECT_EQ(DisplayScale::FromDpi(c.dpi).ToDevice(c.card), c.device)
        << c.card << " at " << c.dpi << " DPI";
  }
}

// The property hit testing and the figure's place rest on: each device pixel belongs to the
// one card pixel whose span holds it, and mapping there and back changes nothing.
TEST(DisplayScale, ToCardInvertsToDeviceAtEveryScale) {
  for (int dpi : {96, 120, 144, 168, 192, 240, 288, 480}) {
    const DisplayScale scale = DisplayScale::FromDpi(dpi);
    for (std::int64_t card = -300; card <= 300; ++card) {
      ASSERT_EQ(scale.ToCard(scale.ToDevice(card)), card) << card << " at " << dpi;
      for (std::int64_t d = scale.ToDevice(card); d < scale.ToDevice(card + 1); ++d) {
        ASSERT_EQ(scale.ToCard(d), card) << "device " << d << " at " << dpi;
      }
    }
  }
}

TEST(DisplayScale, RectanglesMapEdgeByEdgeSoNeighboursStillTouch) {
  const DisplayScale s150 = DisplayScale::FromDpi(144);
  const Rect repeat{15, 359, 105, 419};
  const Rect newCard{105, 359, 313, 419};
  EXPECT_EQ(s150.ToDevice(repeat), (Rect{23, 539, 158, 629}));
  EXPECT_EQ(s150.ToDevice(repeat).right, s150.ToDevice(newCard).left);
  EXPECT_EQ(s150.ToCard(s150.ToDevice(newCard)), newCard);
  const DisplayScale s200 = DisplayScale::FromDpi(192);
  EXPECT_EQ(s200.ToDevice(repeat), (Rect{30, 718, 210, 838}));
  EXPECT_EQ(s200.ToCard(Point{209, 837}), (Point{104, 418}));
  EXPECT_EQ(s200.ToCard(Point{-1, -2}), (Point{-1, -1}));
}

}  // namespace
}  // namespace card
