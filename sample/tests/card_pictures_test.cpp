// The card's pictures and its layout.txt agree: the card picture's transparent colour is the
// card's background, every colour drawn is in the layout's palette, the hover image covers its
// hot spot, the colour swap finds its colour inside its hot spot only, and the logo fits the
// strip the "Visit Us" button keeps for it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "layout/layout_file.h"
#include "sample/art/card_pictures.h"

namespace card::sample {
namespace {

LayoutFile SampleLayout() {
  std::ifstream file(SAMPLE_DIR "/layout.txt", std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  Result<LayoutFile> layout = ParseLayout(text.str(), "layout.txt");
  if (!layout) ADD_FAILURE() << layout.error();
  return layout ? *layout : LayoutFile{};
}

const std::map<std::string, Image>& Pictures() {
  static const std::map<std::string, Image> pictures = {
      {"back.bmp", DrawCardBack()}, {"moon.bmp", DrawMoonAwake()}, {"logo.bmp", DrawLogo()}};
  return pictures;
}

uint32_t Ref(const Colour& c) { return c.Ref(); }

TEST(CardPictures, CardPictureIsSeeThroughWhereItShowsTheBackgroundColour) {
  const LayoutFile layout = SampleLayout();
  const Image& back = Pictures().at("back.bmp");
  EXPECT_EQ(back.width, kCardWidth);
  EXPECT_EQ(back.height, kCardHeight);
  ASSERT_EQ(layout.images.size(), 1u);
  EXPECT_EQ(layout.images[0].fileName, "back.bmp");
  EXPECT_EQ(Ref(back.At(0, 0)), layout.colours.background & 0xFFFFFF);
}

TEST(CardPictures, EveryColourShownIsInTheLayoutPalette) {
  const LayoutFile layout = SampleLayout();
  const std::set<uint32_t> palette(layout.palette.begin(), layout.palette.end());
  for (const auto& [name, image] : Pictures()) {
    const uint32_t transparent = Ref(image.At(0, 0));
    std::set<uint32_t> missing;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        if (const uint32_t c = Ref(image.At(x, y)); c != transparent && !palette.count(c))
          missing.insert(c);
    EXPECT_TRUE(missing.empty()) << name << " uses " << missing.size()
                                 << " colours the palette lacks, e.g. "
                                 << (missing.empty() ? 0 : *missing.begin());
  }
  for (uint32_t c :
       {layout.colours.messageText, layout.colours.messageShadow, layout.colours.buttonFace,
        layout.colours.buttonText, layout.colours.buttonTextShadow})
    EXPECT_TRUE(palette.count(c & 0xFFFFFF)) << "layout colour " << (c & 0xFFFFFF);
}

TEST(CardPictures, HotSpotsShowTheirEffectsWhereTheyAre) {
  const LayoutFile layout = SampleLayout();
  const Image& back = Pictures().at("back.bmp");
  const std::set<uint32_t> palette(layout.palette.begin(), layout.palette.end());
  ASSERT_EQ(layout.hotSpots.size(), 2u);
  int hovers = 0, swaps = 0;
  for (const LayoutHotSpot& spot : layout.hotSpots) {
    const Rect& r = spot.rect;
    if (!spot.hoverImage.empty()) {
      ++hovers;
      ASSERT_TRUE(Pictures().count(spot.hoverImage)) << spot.hoverImage;
      const Image& hover = Pictures().at(spot.hoverImage);
      EXPECT_EQ(hover.width, r.right - r.left) << spot.hoverImage;
      EXPECT_EQ(hover.height, r.bottom - r.top) << spot.hoverImage;
      continue;
    }
    ASSERT_NE(spot.fromColour, spot.toColour) << spot.target << " has no effect";
    ++swaps;
    int inside = 0, outside = 0;
    for (int y = 0; y < back.height; ++y) {
      for (int x = 0; x < back.width; ++x) {
        if (Ref(back.At(x, y)) != spot.fromColour) continue;
        (x >= r.left && x < r.right && y >= r.top && y < r.bottom ? inside : outside) += 1;
      }
    }
    EXPECT_GT(inside, 100) << spot.target;
    EXPECT_EQ(outside, 0) << spot.target;
    EXPECT_TRUE(palette.count(spot.toColour)) << spot.target;
  }
  EXPECT_EQ(hovers, 1);
  EXPECT_EQ(swaps, 1);
}

TEST(CardPictures, LogoFitsTheVisitButtonsStrip) {
  const LayoutFile layout = SampleLayout();
  ASSERT_TRUE(layout.logo.has_value());
  ASSERT_EQ(layout.logo->fileName, "logo.bmp");
  const Image& logo = Pictures().at("logo.bmp");
  // The button keeps 48 pixels at its left for the logo and is 60 pixels high.
  EXPECT_LE(layout.logo->x + logo.width, 48);
  EXPECT_LE(layout.logo->y + logo.height, 60);
  EXPECT_GE(layout.logo->x, 0);
  EXPECT_GE(layout.logo->y, 0);
}

}  // namespace
}  // namespace card::sample
