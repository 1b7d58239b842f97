// The card button's fills and caption position, checked as pictures and a table of cases.
#include "shell/button_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

// Paints the fills of an item at the origin into a character picture, later fills on top.
std::vector<std::string> Picture(int width, int height, bool pressed) {
  std::vector<std::string> rows(height, std::string(width, ' '));
  for (const ButtonFill& fill : ButtonFills(Rect{0, 0, width, height}, pressed)) {
    const char mark = "FoLD"[static_cast<int>(fill.paint)];
    for (int y = fill.rect.top; y < fill.rect.bottom; ++y)
      for (int x = fill.rect.left; x < fill.rect.right; ++x) rows.at(y).at(x) = mark;
  }
  return rows;
}

TEST(ButtonFills, RaisedButtonHasTwoLightAndTwoDarkEdgesInsideACornerlessFrame) {
  const std::vector<std::string> expected = {
      " FFFFFF ",
      "FLLLLLDF",
      "FLLLLDDF",
      "FLDDDDDF",
      "FDDDDDDF",
      " FFFFFF ",
  };
  EXPECT_EQ(Picture(8, 6, false), expected);
}

TEST(ButtonFills, PressedButtonHasOnlyTheDarkTopAndLeftEdges) {
  const std::vector<std::string> expected = {
      " FFFFFF ",
      "FDDDDDDF",
      "FDDDDDDF",
      "FDDooooF",
      "FDDooooF",
      " FFFFFF ",
  };
  EXPECT_EQ(Picture(8, 6, true), expected);
}

TEST(ButtonFills, FollowTheItemRectangleWhereverItLies) {
  const std::vector<ButtonFill> atOrigin = ButtonFills(Rect{0, 0, 90, 60}, false);
  const std::vector<ButtonFill> moved = ButtonFills(Rect{15, 359, 105, 419}, false);
  ASSERT_EQ(atOrigin.size(), moved.size());
  for (size_t i = 0; i < moved.size(); ++i) {
    EXPECT_EQ(moved[i].rect, atOrigin[i].rect.Offset(15, 359)) << "fill " << i;
  }
}

struct CaptionCase {
  const char* name;
  Rect item;
  unsigned state;
  int decoration;
  int textWidth;
  int textHeight;
  Point expected;
};

TEST(CaptionPosition, CentresRightOfTheDecorationAndShiftsOnlyWhenPressedWithFocus) {
  const CaptionCase cases[] = {
      {"normal", {0, 0, 206, 60}, 0, 0, 100, 20, {53, 20}},
      {"focused only", {0, 0, 206, 60}, kItemFocus, 0, 100, 20, {53, 20}},
      {"pressed with focus", {0, 0, 206, 60}, kItemSelected | kItemFocus, 0, 100, 20, {55, 22}},
      {"pressed without focus", {0, 0, 206, 60}, kItemSelected, 0, 100, 20, {53, 20}},
      {"pressed, focus and no-accel", {0, 0, 206, 60}, 0x111, 0, 100, 20, {53, 20}},
      {"logo strip", {0, 0, 206, 60}, 0, kLogoStripWidth, 100, 20, {77, 20}},
      {"logo strip pressed", {0, 0, 206, 60}, 17, kLogoStripWidth, 100, 20, {79, 22}},
      {"odd remainder", {0, 0, 90, 60}, 0, 0, 41, 17, {24, 21}},
      {"wider than the button truncates toward zero", {0, 0, 90, 60}, 0, 0, 121, 20, {-15, 20}},
      {"item away from the origin", {10, 5, 100, 65}, 17, 0, 30, 10, {42, 32}},
  };
  for (const CaptionCase& c : cases) {
    EXPECT_EQ(CaptionPosition(c.item, c.state, c.decoration, c.textWidth, c.textHeight),
              c.expected)
        << c.name;
  }
  const DisplayScale s200 = DisplayScale::FromDpi(192);
  EXPECT_EQ(CaptionPosition({0, 0, 412, 120}, kItemSelected | kItemFocus, 0, 200, 40, s200),
            (Point{110, 44}))
      << "a pressed caption moves by 2 card pixels";
}

// Scaled fills: at 100 % the plain ones, at whole scales the plain ones scaled, and at
// fractional scales frame and bevel lines of the scaled width at both ends of the button.
TEST(ScaledButtonFills, ScaleLinesWithTheDisplay) {
  const Rect item{15, 359, 105, 419};
  EXPECT_EQ(ScaledButtonFills(item, false, {}), ButtonFills(item, false));
  EXPECT_EQ(ScaledButtonFills(item, true, {}), ButtonFills(item, true));

  for (int dpi : {192, 288}) {
    const DisplayScale scale = DisplayScale::FromDpi(dpi);
    for (bool pressed : {false, true}) {
      std::vector<ButtonFill> expected = ButtonFills(Rect{0, 0, 90, 60}, pressed);
      for (ButtonFill& fill : expected) fill.rect = scale.ToDevice(fill.rect);
      EXPECT_EQ(ScaledButtonFills(scale.ToDevice(Rect{0, 0, 90, 60}), pressed, scale), expected)
          << dpi << (pressed ? " pressed" : " raised");
    }
  }

  const DisplayScale s150 = DisplayScale::FromDpi(144);
  const Rect device = s150.ToDevice(item);  // 135 x 90 at (23, 539)
  const std::vector<ButtonFill> fills = ScaledButtonFills(device, false, s150);
  ASSERT_EQ(fills.size(), ButtonFills(item, false).size());
  EXPECT_EQ(fills[0].rect, (Rect{25, 539, 156, 541})) << "top frame: 2 pixels, corners left out";
  EXPECT_EQ(fills[3].rect, (Rect{156, 541, 158, 627})) << "right frame ends at the right edge";
  EXPECT_EQ(fills[4].rect, (Rect{25, 541, 156, 627})) << "the face inside the frame";
  EXPECT_EQ(fills[5].rect, (Rect{25, 541, 28, 627})) << "left light edge: 2 card pixels";
  for (const ButtonFill& fill : fills) {
    EXPECT_FALSE(fill.rect.IsEmpty());
    EXPECT_EQ(Intersect(fill.rect, device), fill.rect) << "inside the button";
  }
}

}  // namespace
}  // namespace card
