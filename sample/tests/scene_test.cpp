// The renderer's promises to the card tools: every pixel fully opaque or fully transparent,
// and only palette colours, blended along ramps and nowhere else.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "sample/art/scene.h"

namespace card::sample {
namespace {

std::set<std::tuple<int, int, int>> OpaqueColours(const Image& image) {
  std::set<std::tuple<int, int, int>> colours;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.OpaqueAt(x, y)) {
        const Colour c = image.At(x, y);
        colours.insert({c.r, c.g, c.b});
      }
  return colours;
}

TEST(SceneRender, PixelsAtLeastHalfCoveredAreOpaqueTheRestTransparent) {
  Scene scene;
  // Covers columns 0 and 1 wholly, column 2 exactly half, column 3 not at all.
  scene.Fill(Polygon({{0, 0}, {2.5, 0}, {2.5, 4}, {0, 4}}), 0);
  const Image image = scene.Render(4, 4, {{200, 10, 10}}, {});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const uint8_t alpha = image.rgba[(y * 4 + x) * 4 + 3];
      EXPECT_EQ(alpha, x < 3 ? 255 : 0) << "pixel " << x << "," << y;
    }
  }
  EXPECT_EQ(image.At(2, 1), (Colour{200, 10, 10}));
}

TEST(SceneRender, EdgesTakeOnlyColoursOnARampBetweenTheColoursThatMeet) {
  enum { kNavy, kRedDark, kRed, kBrown, kWhite };
  // Brown lies close to the blend of red and navy; it must never appear at their edge.
  const std::vector<Colour> palette = {
      {24, 30, 62}, {148, 24, 44}, {222, 44, 52}, {118, 76, 42}, {255, 255, 255}};
  Scene scene;
  scene.Outlined(Circle({16, 16}, 11.3), kRed, kNavy, 1.7);
  const struct {
    std::vector<Ramp> ramps;
    bool darkRedAtEdges;
  } cases[] = {{{{kNavy, kRedDark, kRed}}, true}, {{}, false}};
  for (const auto& c : cases) {
    const auto colours = OpaqueColours(scene.Render(32, 32, palette, c.ramps));
    EXPECT_EQ(colours.count({118, 76, 42}), 0u);
    EXPECT_EQ(colours.count({255, 255, 255}), 0u);
    EXPECT_EQ(colours.count({148, 24, 44}), c.darkRedAtEdges ? 1u : 0u)
        << c.ramps.size() << " ramps";
    EXPECT_EQ(colours.count({222, 44, 52}), 1u);
    EXPECT_EQ(colours.count({24, 30, 62}), 1u);
  }
}

TEST(SceneRender, PushedTransformsApplyUntilPopped) {
  Scene scene;
  scene.Push(Affine::Translate({4, 0}));
  scene.Fill(Polygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}}), 0);
  scene.Pop();
  scene.Fill(Polygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}}), 0);
  const Image image = scene.Render(8, 2, {{1, 2, 3}}, {});
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(image.OpaqueAt(x, 0), x < 2 || (x >= 4 && x < 6)) << "column " << x;
  EXPECT_THROW(scene.Pop(), std::logic_error);
}

}  // namespace
}  // namespace card::sample
