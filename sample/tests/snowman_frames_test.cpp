// The snowman's frames as the card needs them: enough of them, each the same size, fully
// opaque or transparent, at most 15 colours per animation, nothing cut off at the frame's
// edge, and a walk whose planted boot keeps pace with the window.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "sample/art/snowman_frames.h"

namespace card::sample {
namespace {

TEST(SnowmanFrames, AreManyWithUniqueKeys) {
  const std::vector<SnowmanFrame> frames = SnowmanFrames();
  EXPECT_GE(frames.size(), 24u);
  std::set<int> keys;
  for (const SnowmanFrame& f : frames)
    EXPECT_TRUE(keys.insert(f.key).second) << "key " << f.key << " twice";
}

TEST(SnowmanFrames, DrawInsideTheFrameWithFewOpaqueColours) {
  std::map<std::string, std::set<std::tuple<int, int, int>>> coloursByAnimation;
  std::set<std::tuple<int, int, int>> palette;
  for (const Colour& c : SnowmanPalette()) palette.insert({c.r, c.g, c.b});
  for (const SnowmanFrame& frame : SnowmanFrames()) {
    const Image image = DrawSnowman(frame.pose);
    ASSERT_EQ(image.width, kFrameSize);
    ASSERT_EQ(image.height, kFrameSize);
    int opaque = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const uint8_t alpha = image.rgba[(y * image.width + x) * 4 + 3];
        ASSERT_TRUE(alpha == 0 || alpha == 255) << "frame " << frame.key;
        if (!alpha) continue;
        ++opaque;
        const bool onEdge = x == 0 || y == 0 || x == image.width - 1 || y == image.height - 1;
        EXPECT_FALSE(onEdge) << "frame " << frame.key << " is cut off at " << x << "," << y;
        const Colour c = image.At(x, y);
        EXPECT_TRUE(palette.count({c.r, c.g, c.b})) << "frame " << frame.key;
        coloursByAnimation[frame.animation].insert({c.r, c.g, c.b});
      }
    }
    EXPECT_GT(opaque, 1500) << "frame " << frame.key << " is almost empty";
  }
  for (const auto& [animation, colours] : coloursByAnimation)
    EXPECT_LE(colours.size(), 15u) << animation;
}

TEST(SnowmanFrames, APlantedBootStaysPutWhileTheWindowWalksOn) {
  std::vector<Pose> walk;
  for (const SnowmanFrame& f : SnowmanFrames())
    if (f.animation == "walk") walk.push_back(f.pose);
  ASSERT_EQ(walk.size(), 8u);
  int plantedSteps = 0;
  for (size_t i = 0; i < walk.size(); ++i) {
    const Pose& now = walk[i];
    const Pose& next = walk[(i + 1) % walk.size()];
    for (auto boot : {&Pose::leftBoot, &Pose::rightBoot}) {
      const bool planted = (now.*boot).toe == 0 && (next.*boot).toe == 0;
      if (!planted) continue;
      ++plantedSteps;
      // On screen: the window moves kWalkStep to the right, the boot moves within the frame.
      const double onScreen = kWalkStep + ((next.*boot).x - (now.*boot).x) * kModelScale;
      EXPECT_NEAR(onScreen, 0.0, 0.01) << "walk frame " << i + 1;
    }
  }
  EXPECT_GE(plantedSteps, 6);
}

}  // namespace
}  // namespace card::sample
