// Frame quantisation: transparency is exact, few colours stay exact, many are reduced to 15
// close ones, a group shares its palette, and bad frame sets are refused by name.
#include "tools/cardkit/frame_quantiser.h"

#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace card::kit {
namespace {

// A frame whose pixel (x, y) is transparent on the diagonal and `colour(x, y)` elsewhere.
template <class ColourOf>
FrameSource Frame(std::string name, std::uint16_t key, int size, ColourOf colour) {
  RgbaImage image = test::FilledImage(size, size, {});
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Rgb c = colour(x, y);
      image.At(x, y) = {c.r, c.g, c.b, static_cast<std::uint8_t>(x == y ? 40 : 255)};
    }
  }
  return {std::move(name), key, std::move(image)};
}

int LargestChannelError(Rgb a, Rgb b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

// Checks transparency exactly and colours within `tolerance`; returns the frame's result.
const QuantisedFrame& ExpectDrawsBack(const QuantisedFrames& out, const FrameSource& source,
                                      int tolerance) {
  const QuantisedFrame* found = nullptr;
  for (const QuantisedFrame& frame : out.frames) {
    if (frame.key == source.key) found = &frame;
  }
  EXPECT_NE(found, nullptr) << source.name;
  const FramePalette& palette = out.palettes.at(found->palette);
  for (int y = 0; y < source.image.height; ++y) {
    for (int x = 0; x < source.image.width; ++x) {
      const std::uint8_t index = found->indices[y * source.image.width + x];
      const Rgba& pixel = source.image.At(x, y);
      EXPECT_LT(index, kFramePaletteSize);
      EXPECT_EQ(index == kTransparentIndex, IsTransparent(pixel))
          << source.name << " " << x << "," << y;
      if (!IsTransparent(pixel)) {
        EXPECT_LE(LargestChannelError(palette.colours[index], ColourOf(pixel)), tolerance)
            << source.name << " " << x << "," << y;
      }
    }
  }
  return *found;
}

TEST(FrameQuantiser, FewColoursComeBackExactlyAndTheGroupSharesOnePalette) {
  auto stripes = [](int shift) {
    return [shift](int x, int) {
      return Rgb{static_cast<std::uint8_t>(20 * ((x + shift) % 12)), 90, 200};
    };
  };
  const FrameGroup walk{"walk", {Frame("w0", 10, 12, stripes(0)), Frame("w1", 11, 12, stripes(5))}};
  auto out = QuantiseFrames({walk});
  ASSERT_TRUE(out) << out.error();
  EXPECT_EQ(out->width, 12);
  EXPECT_EQ(out->height, 12);
  ASSERT_EQ(out->palettes.size(), 1u);
  for (const FrameSource& frame : walk.frames) ExpectDrawsBack(*out, frame, 0);
}

TEST(FrameQuantiser, ManyColoursAreReducedToFifteenCloseOnes) {
  // A smooth ramp of 48 x 48 distinct colours.
  auto ramp = [](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 5), 128};
  };
  const FrameGroup group{"fade", {Frame("f0", 1, 48, ramp)}};
  auto out = QuantiseFrames({group});
  ASSERT_TRUE(out) << out.error();
  const QuantisedFrame& frame = ExpectDrawsBack(*out, group.frames[0], 48);
  std::set<std::uint8_t> used(frame.indices.begin(), frame.indices.end());
  EXPECT_LE(used.size(), kFramePaletteSize);
  EXPECT_GE(used.size(), 10u) << "the quantiser should use most of the 15 colours";
}

TEST(FrameQuantiser, FramesWhoseColoursCannotShareOnePaletteGetTheirOwn) {
  // Each frame has 15 colours of its own, far from the other frame's: one palette of 15 for
  // both would be poor, two are exact.
  auto reds = [](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(30 + 15 * ((x + y) % 15)), 0, 0};
  };
  auto greens = [](int x, int y) {
    return Rgb{0, static_cast<std::uint8_t>(30 + 15 * ((x + y) % 15)), 255};
  };
  const FrameGroup group{"mixed", {Frame("red", 1, 15, reds), Frame("green", 2, 15, greens)}};
  auto out = QuantiseFrames({group});
  ASSERT_TRUE(out) << out.error();
  EXPECT_EQ(out->palettes.size(), 2u);
  for (const FrameSource& frame : group.frames) ExpectDrawsBack(*out, frame, 0);
}

TEST(FrameQuantiser, GroupsWithTheSameColoursShareTheirPalette) {
  auto two = [](int x, int) { return x % 2 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; };
  auto out = QuantiseFrames({{"a", {Frame("a0", 1, 4, two)}}, {"b", {Frame("b0", 2, 4, two)}}});
  ASSERT_TRUE(out) << out.error();
  EXPECT_EQ(out->palettes.size(), 1u);
}

TEST(FrameQuantiser, FramesComeOutInKeyOrder) {
  auto grey = [](int, int) { return Rgb{9, 9, 9}; };
  auto out = QuantiseFrames(
      {{"b", {Frame("b", 900, 2, grey)}}, {"a", {Frame("c", 2, 2, grey), Frame("a", 1, 2, grey)}}});
  ASSERT_TRUE(out) << out.error();
  ASSERT_EQ(out->frames.size(), 3u);
  EXPECT_EQ(out->frames[0].key, 1);
  EXPECT_EQ(out->frames[1].key, 2);
  EXPECT_EQ(out->frames[2].key, 900);
}

TEST(FrameQuantiser, RefusesBadFrameSetsNamingTheFrames) {
  auto grey = [](int, int) { return Rgb{9, 9, 9}; };
  struct Case {
    std::vector<FrameGroup> groups;
    std::vector<std::string> named;
  };
  const Case cases[] = {
      {{}, {"no frames"}},
      {{{"walk", {Frame("frames/walk/0.png", 0, 8, grey), Frame("frames/walk/1.png", 1, 7, grey)}}},
       {"frames/walk/1.png", "7 x 7", "frames/walk/0.png", "8 x 8"}},
      {{{"a", {Frame("frames/a/5.png", 5, 2, grey)}}, {"b", {Frame("frames/b/5.png", 5, 2, grey)}}},
       {"frames/a/5.png", "frames/b/5.png", "key 5"}},
  };
  for (const Case& c : cases) {
    auto out = QuantiseFrames(c.groups);
    ASSERT_FALSE(out);
    for (const std::string& part : c.named) {
      EXPECT_NE(out.error().find(part), std::string::npos) << out.error() << " lacks " << part;
    }
  }
}

TEST(FrameQuantiser, RefusesMoreThan256Palettes) {
  std::vector<FrameGroup> groups;
  for (int i = 0; i < 257; ++i) {
    auto own = [i](int, int) {
      return Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 1};
    };
    groups.push_back({"g" + std::to_string(i),
                      {Frame("f" + std::to_string(i), static_cast<std::uint16_t>(i), 2, own)}});
  }
  auto out = QuantiseFrames(groups);
  ASSERT_FALSE(out);
  EXPECT_NE(out.error().find("256"), std::string::npos) << out.error();
}

}  // namespace
}  // namespace card::kit
