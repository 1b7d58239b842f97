// The preview: each tick of a run is one tenth of a second of GIF, showing the figure where the
// window is, with the backdrop through its transparent pixels.
#include "tools/cardkit/preview_renderer.h"

#include "tools/cardkit/tests/card_fixture.h"
#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

constexpr Rgb kBackdrop{10, 100, 40};
constexpr Rgb kFigure{200, 30, 30};  // the fixture's frames: 4 x 4, top-left pixel transparent

PreviewOptions SmallDesktop() {
  PreviewOptions options;
  options.width = 64;
  options.height = 48;
  options.backdrop = kBackdrop;
  options.windowAt = {5, 20};
  return options;
}

TEST(PreviewRenderer, ShowsTheFigureMovingWithItsTransparencyTenFramesASecond) {
  test::TempDir dir;
  test::CardSpec spec;
  spec.scripts = {{"do", "[10,0]1 [10,0]2 [0,5]3"}};
  test::WriteCard(dir.Path(), spec);
  auto preview = RenderPreview(dir.Path(), SmallDesktop());
  ASSERT_TRUE(preview) << preview.error();
  EXPECT_EQ(preview->ticks, 4) << "three frames, then the tick that ends the run";
  EXPECT_TRUE(preview->messages.empty());

  const std::vector<test::ShownGifFrame> shown = test::ReplayGif(preview->gif);
  // The window's top-left after each frame; the last picture also holds the ending tick.
  const Point expected[] = {{15, 20}, {25, 20}, {25, 15}};
  const int delays[] = {10, 10, 20};
  ASSERT_EQ(shown.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const RgbImage& picture = shown[i].picture;
    EXPECT_EQ(shown[i].delay, delays[i]) << i;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const int fx = x - expected[i].x;
        const int fy = y - expected[i].y;
        const bool onFigure = fx >= 0 && fy >= 0 && fx < 4 && fy < 4 && !(fx == 0 && fy == 0);
        ASSERT_EQ(picture.At(x, y), onFigure ? kFigure : kBackdrop)
            << "picture " << i << " at " << x << "," << y;
      }
    }
  }
}

TEST(PreviewRenderer, ReportsTheMessageBoxesOfTheRun) {
  test::TempDir dir;
  test::CardSpec spec;
  spec.scripts = {{"do",
                   "1 \xA9"
                   "7l0t,0r0b\xA9 2"}};
  test::WriteCard(dir.Path(), spec);
  auto preview = RenderPreview(dir.Path(), SmallDesktop());
  ASSERT_TRUE(preview) << preview.error();
  ASSERT_EQ(preview->messages.size(), 1u);
  EXPECT_NE(preview->messages[0].find("tick 2"), std::string::npos) << preview->messages[0];
  EXPECT_NE(preview->messages[0].find("7"), std::string::npos) << preview->messages[0];
}

TEST(PreviewRenderer, RefusesAFolderWithoutWhatTheRunNeeds) {
  for (const char* missing : {"Card.FAS", "Layout.txt"}) {
    test::TempDir dir;
    test::WriteCard(dir.Path(), {});
    fs::remove(dir.Path() / missing);
    auto preview = RenderPreview(dir.Path(), SmallDesktop());
    ASSERT_FALSE(preview) << missing;
    EXPECT_NE(preview.error().find(missing), std::string::npos) << preview.error();
  }
}

}  // namespace
}  // namespace card::kit
