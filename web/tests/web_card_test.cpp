// The web card's C++ without a browser: opening from the bytes a page carries, playing as the
// simulator predicts, the surface's copies in their hover states, and where clicks lead.
#include "web/web_card.h"

#include "animation/fas/tests/hand_built_fas.h"
#include "animation/image/tests/bitmap_bytes.h"
#include "animation/player/fas_scripts.h"
#include "animation/player/simulated_host.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace card {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A logo, one 4 x 2 picture at (10, 20) and two hot spots: one swapping red for green over the
// picture's right half, one with a hover image; the first opens a page the card carries.
const std::string kLayout =
    "Greetings\r\nv2\r\n1,1,1\r\n16777215|0|255\r\n12632256|0|16777215\r\n"
    "4,4 logo.bmp\r\n10,20 picture.bmp\r\n-\r\n2\r\n"
    ".\\page.htm\r\n-\r\n12, 18, 30, 40\r\n255, 65280\r\n"
    "http://example.org/\r\nover.bmp-\r\n50, 50, 60, 60\r\n0, 0\r\n"
    "1\r\n255\r\n";

// The card's pictures: magenta (the key), red and blue.
std::unique_ptr<WebCard> OpenedCard(std::string layout = kLayout,
                                    bool withVisitPage = false) {
  auto card = std::make_unique<WebCard>();
  card->AddFile("Layout.txt", Bytes(layout));
  card->AddFile("Card.FAS", testing::HandBuiltFas());
  const std::vector<std::uint32_t> table = {0xFF00FF, 0x0000FF, 0xFF0000};
  card->AddFile("picture.bmp", testing::BitmapFile(table, {{0, 1, 1, 2}, {1, 1, 2, 2}}, 8));
  card->AddFile("logo.bmp", testing::BitmapFile(table, {{0, 2}}, 8));
  card->AddFile("over.bmp", testing::BitmapFile(table, {{1, 1, 1}}, 8));
  card->AddFile(".\\page.htm", Bytes("<title>Page</title>"));
  if (withVisitPage) card->AddFile(".\\zelk.htm", Bytes("ours"));
  EXPECT_TRUE(card->Open().ok());
  return card;
}

TEST(WebCard, OpensFromThePagesBytesOrSaysInOneSentenceWhatIsWrong) {
  std::vector<std::uint8_t> damaged = testing::HandBuiltFas();
  damaged.resize(100);
  const struct {
    const char* what;
    bool withLayout;
    std::vector<std::uint8_t> frames;
    const char* says;
  } cases[] = {
      {"no layout", false, testing::HandBuiltFas(), "Layout.txt is missing"},
      {"no frames", true, {}, "Card.FAS is missing"},
      {"damaged frames", true, damaged, "Card.FAS is damaged"},
  };
  for (const auto& c : cases) {
    WebCard card;
    if (c.withLayout) card.AddFile("Layout.txt", Bytes(kLayout));
    if (!c.frames.empty()) card.AddFile("Card.FAS", c.frames);
    const Status status = card.Open();
    ASSERT_FALSE(status.ok()) << c.what;
    EXPECT_NE(status.error().find(c.says), std::string::npos) << c.what << ": " << status.error();
  }
}

TEST(WebCard, DecodesEveryFrameWithItsTransparency) {
  const auto card = OpenedCard();
  ASSERT_EQ(card->Frames().FrameCount(), 5u);
  using Pixel = std::array<std::uint8_t, 4>;
  const auto at = [&](std::uint32_t frame, int i) {
    const std::vector<std::uint8_t>& rgba = card->Frame(frame).rgba;
    return Pixel{rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2], rgba[4 * i + 3]};
  };
  // Frame i holds colours i, 4 (top row) and i, 0 (bottom row). Frame 0's record makes colour 0
  // transparent, frame 1's colour 15; colour k is red 17k, green 255 - 17k, blue 3k.
  EXPECT_EQ(at(0, 0)[3], 0);
  EXPECT_EQ(at(0, 1), (Pixel{68, 187, 12, 255}));
  EXPECT_EQ(at(0, 2)[3], 0);
  EXPECT_EQ(at(0, 3)[3], 0);
  EXPECT_EQ(at(1, 0), (Pixel{17, 238, 3, 255}));
  EXPECT_EQ(at(1, 3), (Pixel{0, 255, 0, 255}));
}

TEST(WebCard, PlaysAsTheSimulatorPredicts) {
  const auto card = OpenedCard();
  const Rect workArea{0, 0, 800, 600};
  for (int run = 0; run < 2; ++run) {
    card->Start();
    while (card->Step(0, workArea)) {
    }
  }
  std::vector<std::string> predicted;
  const FasFile& frames = card->Frames();
  SimulatedDesktop desktop;
  desktop.workArea = workArea;
  SimulatedHost host(desktop, frames.Width(), frames.Height(), nullptr,
                     [&](const SimulationEvent& e) { predicted.push_back(FormatEvent(e)); });
  ScriptPlayer player(host, ScriptsOf(frames), frames.Width(), frames.Height());
  RunSimulation(host, player, "do", 100, 2);
  EXPECT_EQ(card->Host().Events(), predicted);
}

TEST(WebCard, SkippingEndsTheRunAndRepeatPlaysItFromTheStart) {
  const auto card = OpenedCard();
  const Rect workArea{0, 0, 800, 600};
  card->Start();
  ASSERT_TRUE(card->Step(0, workArea));
  const std::vector<std::string> firstStep = card->Host().Events();
  card->Skip();
  EXPECT_NE(card->Host().Events().back().find(" end"), std::string::npos);
  EXPECT_FALSE(card->Step(1, workArea));
  card->Start();
  ASSERT_TRUE(card->Step(2, workArea));
  const std::vector<std::string>& events = card->Host().Events();
  ASSERT_EQ(firstStep.size(), 1u);
  EXPECT_EQ(events.back().substr(events.back().find(' ')),
            firstStep[0].substr(firstStep[0].find(' ')));
}

TEST(WebCardSurface, PaintsPicturesThenTheirSwapsThenHoverImages) {
  const auto card = OpenedCard();
  WebCardSurface& surface = card->Surface();
  const std::vector<PaintCopy> still = surface.Paint();
  ASSERT_EQ(still.size(), 1u);
  EXPECT_EQ(still[0].at, (Point{10, 20}));
  EXPECT_EQ(still[0].width, 4);

  EXPECT_TRUE(surface.PointerAt({13, 21}).pointerInside);
  const std::vector<PaintCopy> swapped = surface.Paint();
  ASSERT_EQ(swapped.size(), 2u);
  // The hot spot (12, 18)-(30, 40) over the picture (10, 20)-(14, 22): its overlap only.
  EXPECT_EQ(swapped[1].at, (Point{12, 20}));
  EXPECT_EQ(swapped[1].source, (Point{2, 0}));
  EXPECT_EQ(swapped[1].width, 2);
  EXPECT_EQ(swapped[1].height, 2);
  const RgbaPicture* green = surface.Image(swapped[1].image);
  ASSERT_NE(green, nullptr);
  EXPECT_EQ(green->rgba[4 * 1 + 1], 255) << "red is drawn green";

  surface.PointerAt({55, 55});
  const std::vector<PaintCopy> hovered = surface.Paint();
  ASSERT_EQ(hovered.size(), 2u);
  EXPECT_EQ(hovered[1].at, (Point{50, 50}));
  EXPECT_EQ(hovered[1].width, 3);
  EXPECT_TRUE(surface.AnyHovered());
  EXPECT_FALSE(surface.PointerAt({-1, -1}).pointerInside);
  EXPECT_FALSE(surface.AnyHovered());
  ASSERT_TRUE(surface.Logo());
  EXPECT_EQ(surface.Logo()->at, (Point{4, 4}));
}

TEST(WebCardSurface, PaintsNothingWithoutALogo) {
  std::string layout = kLayout;
  layout.replace(layout.find("4,4 logo.bmp"), 12, "-");
  const auto card = OpenedCard(layout);
  EXPECT_FALSE(card->Surface().Logo());
  EXPECT_TRUE(card->Surface().Paint().empty());
}

TEST(WebCard, ClicksLeadToCarriedPagesOrAddresses) {
  const auto card = OpenedCard();
  ASSERT_EQ(card->Surface().HotSpotAt({20, 30}), std::optional<std::size_t>(0));
  const WebCard::Target page = card->HotSpotTarget(0);
  ASSERT_TRUE(page.page);
  EXPECT_EQ(page.kind, CardTarget::Kind::CardFile);
  EXPECT_EQ(page.mediaType, "text/html");
  EXPECT_EQ(std::string(page.page->begin(), page.page->end()), "<title>Page</title>");
  const WebCard::Target address = card->HotSpotTarget(1);
  EXPECT_EQ(address.kind, CardTarget::Kind::Address);
  EXPECT_FALSE(address.page);
  EXPECT_EQ(address.text, "http://example.org/");
  EXPECT_FALSE(card->VisitTarget().page) << "no zelk.htm: the web page";
  EXPECT_EQ(card->VisitTarget().text.rfind("http://", 0), 0u);
  EXPECT_TRUE(OpenedCard(kLayout, true)->VisitTarget().page);
}

TEST(WebCard, ClicksOnTargetsTheCardMayNotOpenLeadNowhere) {
  const char* targets[] = {"x.bat", "\\\\127.0.0.1\\share\\x.htm", "search-ms:query=x",
                           "javascript:alert(1)", "missing.htm", "POEM.TXT"};
  std::string layout =
      "Greetings\r\nv2\r\n1,1,1\r\n16777215|0|255\r\n12632256|0|16777215\r\n-\r\n-\r\n6\r\n";
  for (const char* target : targets) {
    layout += std::string(target) + "\r\n-\r\n0, 0, 10, 10\r\n0, 0\r\n";
  }
  layout += "0\r\n";
  WebCard card;
  card.AddFile("Layout.txt", Bytes(layout));
  card.AddFile("Card.FAS", testing::HandBuiltFas());
  card.AddFile("x.bat", Bytes("echo planted"));
  card.AddFile("\\\\127.0.0.1\\share\\x.htm", Bytes("<p>elsewhere</p>"));  // not kept
  card.AddFile("poem.txt", Bytes("roses"));
  ASSERT_TRUE(card.Open().ok());
  for (std::size_t i = 0; i < 5; ++i) {
    const WebCard::Target target = card.HotSpotTarget(i);
    EXPECT_EQ(target.kind, CardTarget::Kind::Nothing) << targets[i];
    EXPECT_FALSE(target.page) << targets[i];
  }
  const WebCard::Target text = card.HotSpotTarget(5);
  ASSERT_TRUE(text.page) << "found without regard to case";
  EXPECT_EQ(text.mediaType, "text/plain");
}

}  // namespace
}  // namespace card
