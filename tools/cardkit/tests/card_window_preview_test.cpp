// The card window's preview holds the pixels the card window's end-to-end test expects of
// card.exe's window: the background colour, pictures with their transparent colour, the
// message with its shadow one pixel right and below, the buttons' frame, face and bevel where
// the card's own button geometry puts them, the logo on "Visit Us" and the captions; and, for
// the author, hot spots outlined.
#include "tools/cardkit/card_window_preview.h"

#include "shell/button_geometry.h"
#include "shell/card_window_layout.h"
#include "tools/cardkit/tests/card_fixture.h"
#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace card::kit {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kFace{192, 192, 192};

// The fixture card: white background, black message with a red shadow, grey buttons with black
// captions; its bitmaps are white (their transparent colour) with one red pixel at 3,3.
RgbImage RenderFixture(const std::string& message) {
  test::TempDir dir;
  test::CardSpec spec;
  spec.message = message;
  test::WriteCard(dir.Path(), spec);
  auto card = LoadCardFolder(dir.Path().string());
  EXPECT_TRUE(card) << card.error();
  if (!card) return {};
  auto picture = RenderCardWindow(*card, dir.Path());
  EXPECT_TRUE(picture) << picture.error();
  return picture ? *picture : RgbImage{};
}

TEST(CardWindowPreview, PicturesButtonsLogoAndHotSpotsStandWhereTheCardDrawsThem) {
  const RgbImage picture = RenderFixture("Hello");
  ASSERT_EQ(picture.width, kCardClientWidth);
  ASSERT_EQ(picture.height, kCardClientHeight);
  EXPECT_EQ(picture.At(2, 2), kWhite) << "the picture's transparent colour shows the background";
  EXPECT_EQ(picture.At(3, 3), kRed) << "the picture at 0,0";
  const Rect visit = *CardControlRect(kVisitButtonId);
  EXPECT_EQ(picture.At(visit.left + 4 + 3, visit.top + 4 + 3), kRed) << "the logo at 4,4";
  EXPECT_EQ(picture.At(visit.left + 4 + 2, visit.top + 4 + 2), kFace) << "around the logo";

  for (int id : {kRepeatButtonId, kNewCardButtonId, kVisitButtonId, kCloseButtonId}) {
    const Rect item = *CardControlRect(id);
    EXPECT_EQ(picture.At(item.left, item.top), kWhite) << id << ": a corner is not drawn";
    // What each pixel shows when the fills are made in their order, later over earlier.
    std::map<std::pair<int, int>, ButtonPaint> paint;
    for (const ButtonFill& fill : ButtonFills(item, false)) {
      for (int y = fill.rect.top; y < fill.rect.bottom; ++y) {
        for (int x = fill.rect.left; x < fill.rect.right; ++x) paint[{x, y}] = fill.paint;
      }
    }
    int edges = 0;
    for (const auto& [at, kind] : paint) {
      if (kind == ButtonPaint::Face) continue;  // the caption and logo lie on it
      const Rgb want = kind == ButtonPaint::Frame       ? kButtonFrame
                       : kind == ButtonPaint::LightEdge ? kButtonLight
                                                        : kButtonDark;
      ++edges;
      ASSERT_EQ(picture.At(at.first, at.second), want) << id << " at " << at.first << ","
                                                       << at.second;
    }
    EXPECT_GT(edges, 400) << id;
    EXPECT_EQ(picture.At(item.left + 4, item.bottom - 5), kFace) << id;
    int caption = 0;
    for (int y = item.top + 3; y < item.bottom - 3; ++y) {
      for (int x = item.left + 3; x < item.right - 3; ++x) caption += picture.At(x, y) == kBlack;
    }
    EXPECT_GT(caption, 20) << id << ": the caption";
  }

  // The hot spot 40,40 to 200,120, right and bottom not included, outlined in inverse.
  EXPECT_EQ(picture.At(40, 40), kBlack);
  EXPECT_EQ(picture.At(199, 119), kBlack);
  EXPECT_EQ(picture.At(120, 40), kBlack);
  EXPECT_EQ(picture.At(41, 41), kWhite);
  EXPECT_EQ(picture.At(200, 120), kWhite);
}

TEST(CardWindowPreview, TheMessageHasItsShadowOnePixelRightAndBelow) {
  for (const std::string& message : {std::string("Dear Anna,\r\nHappy days!"),
                                     std::string("Centred\r\nlines\xFF\xFF")}) {
    const RgbImage picture = RenderFixture(message);
    const Rect area = *CardControlRect(kLeftMessageId);
    int texts = 0, shadows = 0;
    for (int y = area.top - 1; y < area.bottom; ++y) {
      for (int x = area.left - 1; x < area.right; ++x) {
        if (picture.At(x, y) == kRed) {
          ++shadows;
          EXPECT_NE(picture.At(x - 1, y - 1), kWhite) << "shadow without text at " << x << "," << y;
        }
        if (picture.At(x, y) != kBlack) continue;
        ++texts;
        EXPECT_NE(picture.At(x + 1, y + 1), kWhite) << "text without shadow at " << x << "," << y;
      }
    }
    EXPECT_GT(texts, 50) << message;
    EXPECT_GT(shadows, 5) << message;
  }
}

TEST(CardWindowPreview, ACentredMessageStandsInTheMiddle) {
  const auto inkColumns = [](const RgbImage& picture) {
    const Rect area = *CardControlRect(kLeftMessageId);
    int left = area.right, right = area.left;
    for (int y = area.top; y < area.top + 30; ++y) {
      for (int x = area.left - 1; x < area.right; ++x) {
        if (picture.At(x, y) == kBlack) left = std::min(left, x), right = std::max(right, x);
      }
    }
    return std::pair{left, right};
  };
  const auto [leftStart, leftEnd] = inkColumns(RenderFixture("Hello"));
  const auto [centredStart, centredEnd] = inkColumns(RenderFixture("Hello\xFF\xFF"));
  EXPECT_LE(leftStart, kCardClientWidth / 10);
  EXPECT_NEAR((centredStart + centredEnd) / 2, kCardClientWidth / 2, 4);
  EXPECT_EQ(centredEnd - centredStart, leftEnd - leftStart);
}

}  // namespace
}  // namespace card::kit
