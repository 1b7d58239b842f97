// Building a card from its sources: frames draw back through the reader's colour tables as
// they were drawn, sounds come out at 8 kHz with the right length, text is converted, and
// mistakes in the sources are named by file and place.
#include "tools/cardkit/card_builder.h"

#include "animation/fas/fas_file.h"
#include "sound/was_file.h"
#include "animation/image/bitmap_header.h"
#include "tools/cardkit/frame_drawing.h"
#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

constexpr int kSide = 24;
constexpr int kToneFrames = 2205;  // 0.1 s at 22050 Hz

std::string Listing(const Diagnostics& diagnostics) {
  std::string text;
  for (const Diagnostic& d : diagnostics.All()) text += "  " + FormatDiagnostic(d) + "\n";
  return text;
}

// A figure with a transparent border and a hole; inside, `colour` gives the pixels.
RgbaImage Figure(const std::function<Rgb(int, int)>& colour) {
  RgbaImage image = test::FilledImage(kSide, kSide, {});
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const bool inside =
          x >= 3 && y >= 2 && x < kSide - 3 && y < kSide - 1 && !(x == 10 && y == 10);
      const Rgb c = colour(x, y);
      image.At(x, y) = {c.r, c.g, c.b, static_cast<std::uint8_t>(inside ? 255 : 0)};
    }
  }
  return image;
}

RgbaImage FewColours(int phase) {
  return Figure([phase](int x, int y) {
    static const Rgb kColours[] = {{250, 250, 250}, {20, 20, 20}, {230, 90, 40}, {40, 120, 220}};
    return kColours[(x / 4 + y / 6 + phase) % 4];
  });
}

RgbaImage ManyColours() {
  return Figure([](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(x * 10), static_cast<std::uint8_t>(y * 10),
               static_cast<std::uint8_t>(255 - x * 5)};
  });
}

std::vector<std::int16_t> Tone() {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < kToneFrames; ++i) {
    samples.push_back(static_cast<std::int16_t>(8000 * std::sin(i * 0.2)));
  }
  return samples;
}

RgbaImage Picture(Rgba background) {
  RgbaImage picture = test::FilledImage(16, 12, background);
  for (int x = 4; x < 12; ++x) picture.At(x, 6) = {180, 20, 60, 255};
  return picture;
}

const char kMidi[] = "MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x04\0\xFF\x2F\0";

// The source layout, a line each: tests replace a line by its number (1-based).
const std::vector<std::string> kLayoutLines = {
    "Caf\xC3\xA9 card", "v2",          "1,1,0",     "16777215|0|255",   "12632256|0|16777215",
    "4,4 logo.bmp",     "60,40 back.bmp", "-",       "1",                ".\\info.htm",
    "hover.bmp-",       "40, 40, 200, 120", "255, 65280", "0"};

std::string LayoutText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// A complete source folder; tests change or remove parts of it.
void WriteSource(const fs::path& src) {
  test::WriteFile(src / "layout.txt", LayoutText(kLayoutLines));
  test::WriteFile(src / "message.txt",
                  "@centred\nDear Anna,\nHappy d\xC3\xA9"
                  "cember!\n");
  test::WriteFile(
      src / "scripts.txt",
      "# the figure\ndo = walk, (!BELL wave)\nwalk = \xC2\xA9[0,0]0l0t,[0,0]0r0b\xC2\xA9\n"
      "   ([4,0]1-2)*3\nwave = 10@5\n");
  test::WriteFile(src / "frames/walk/1.png", test::EncodePng(FewColours(0)));
  test::WriteFile(src / "frames/walk/2.png", test::EncodePng(FewColours(1)));
  test::WriteFile(src / "frames/wave/10.png", test::EncodePng(ManyColours()));
  test::WriteFile(src / "sounds/bell.wav", test::EncodeWav(Tone(), 22050, 1));
  test::WriteFile(src / "pictures/back.png", test::EncodePng(Picture({255, 255, 255, 255})));
  test::WriteFile(src / "pictures/logo.png", test::EncodePng(Picture({0, 0, 0, 0})));
  test::WriteFile(src / "pictures/hover.png", test::EncodePng(Picture({0, 0, 0, 0})));
  test::WriteFile(src / "music.mid", std::string_view(kMidi, sizeof kMidi - 1));
  test::WriteFile(src / "files/info.htm", std::string_view("<p>hello</p>"));
}

class CardBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteSource(Source()); }
  fs::path Source() const { return dir_.Path() / "src"; }
  fs::path Out() const { return dir_.Path() / "out"; }

  test::TempDir dir_;
};

TEST_F(CardBuilderTest, BuildsACardThatPassesTheCheck) {
  const Diagnostics diagnostics = BuildCard(Source(), Out());
  // The one frame of many colours is there to try the quantiser; it is warned about.
  ASSERT_EQ(diagnostics.All().size(), 1u) << Listing(diagnostics);
  EXPECT_EQ(diagnostics.All()[0].severity, Severity::Warning);
  EXPECT_EQ(diagnostics.All()[0].file, "frames/wave");
  for (const char* name : {"Card.FAS", "Card.WAS", "card.mid", "Layout.txt", "msg.txt", "back.bmp",
                           "logo.bmp", "hover.bmp", "info.htm"}) {
    EXPECT_TRUE(fs::is_regular_file(Out() / name)) << name;
  }
}

TEST_F(CardBuilderTest, FramesDrawBackThroughTheReadersColourTables) {
  ASSERT_FALSE(BuildCard(Source(), Out()).HasErrors());
  const std::vector<std::uint8_t> bytes = test::ReadFile(Out() / "Card.FAS");
  auto fas = FasFile::FromBytes(bytes, "Card.FAS");
  ASSERT_TRUE(fas) << fas.error();
  EXPECT_EQ((*fas)->Width(), kSide);
  EXPECT_EQ((*fas)->Height(), kSide);
  EXPECT_EQ((*fas)->FrameCount(), 3u);
  EXPECT_EQ((*fas)->FramePaletteIndex(0), (*fas)->FramePaletteIndex(1))
      << "frames of a group share a palette";

  struct Case {
    std::int32_t key;
    RgbaImage source;
    int tolerance;  // largest channel error: none for few colours, the quantiser's for many
  };
  const Case cases[] = {{1, FewColours(0), 0}, {2, FewColours(1), 0}, {10, ManyColours(), 40}};
  for (const Case& c : cases) {
    auto frame = DecodeFrame(**fas, c.key);
    ASSERT_TRUE(frame) << frame.error();
    // Drawn over two backdrops, as the card draws over the desktop: where the source is
    // transparent each backdrop shows through, elsewhere both show the figure.
    RgbImage black{kSide, kSide, std::vector<Rgb>(kSide * kSide, Rgb{0, 0, 0})};
    RgbImage white{kSide, kSide, std::vector<Rgb>(kSide * kSide, Rgb{255, 255, 255})};
    DrawFrame(*frame, black, 0, 0);
    DrawFrame(*frame, white, 0, 0);
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        const Rgba& pixel = c.source.At(x, y);
        ASSERT_EQ(frame->IsTransparentAt(x, y), IsTransparent(pixel))
            << "key " << c.key << " at " << x << "," << y;
        if (IsTransparent(pixel)) {
          ASSERT_EQ(black.At(x, y), (Rgb{0, 0, 0}));
          ASSERT_EQ(white.At(x, y), (Rgb{255, 255, 255}));
          continue;
        }
        ASSERT_EQ(black.At(x, y), white.At(x, y)) << "key " << c.key << " at " << x << "," << y;
        const Rgb shown = black.At(x, y);
        const int error = std::max({std::abs(shown.r - pixel.r), std::abs(shown.g - pixel.g),
                                    std::abs(shown.b - pixel.b)});
        ASSERT_LE(error, c.tolerance) << "key " << c.key << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(CardBuilderTest, ASoundOfAnotherRateComesOutAtEightKilohertz) {
  ASSERT_FALSE(BuildCard(Source(), Out()).HasErrors());
  const std::vector<std::uint8_t> bytes = test::ReadFile(Out() / "Card.WAS");
  auto bank = WasFile::FromBytes(bytes, "Card.WAS");
  ASSERT_TRUE(bank) << bank.error();
  ASSERT_EQ(bank->get()->Sounds().Count(), 1u);
  EXPECT_EQ(bank->get()->Sounds().Name(0), "BELL");
  const auto clip = bank->get()->FindSound("bell");
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->size(), 2u * 800) << "0.1 s at 8000 samples a second, 2 bytes each";
}

TEST_F(CardBuilderTest, TextFilesBecomeWindows1252WithCrLf) {
  ASSERT_FALSE(BuildCard(Source(), Out()).HasErrors());
  const std::vector<std::uint8_t> layout = test::ReadFile(Out() / "Layout.txt");
  EXPECT_EQ(std::string(layout.begin(), layout.begin() + 15), "Caf\xE9 card\r\nv2\r\n");
  const std::vector<std::uint8_t> message = test::ReadFile(Out() / "msg.txt");
  EXPECT_EQ(std::string(message.begin(), message.end()),
            "Dear Anna,\r\nHappy d\xE9"
            "cember!\xFF\xFF");
  auto header = ReadBitmapHeader(test::ReadFile(Out() / "back.bmp"));
  ASSERT_TRUE(header) << header.error();
  EXPECT_EQ(header->bitsPerPixel, 4);
}

TEST_F(CardBuilderTest, AFailedBuildLeavesNoOldOutputBehind) {
  ASSERT_FALSE(BuildCard(Source(), Out()).HasErrors());
  test::WriteFile(Source() / "frames/walk/2.png",
                  test::EncodePng(test::FilledImage(5, 5, {1, 1, 1, 255})));
  const Diagnostics diagnostics = BuildCard(Source(), Out());
  EXPECT_TRUE(diagnostics.HasErrors());
  EXPECT_FALSE(fs::exists(Out() / "Card.FAS")) << Listing(diagnostics);
}

struct BrokenSource {
  const char* what;
  std::function<void(const fs::path&)> breakIt;
  std::string file;
  std::string place;
  std::string says;
};

using Change = std::function<void(const fs::path&)>;

Change Put(std::string name, std::string bytes) {
  return [=](const fs::path& src) { test::WriteFile(src / name, bytes); };
}
Change PutPng(std::string name, RgbaImage image) {
  return [=](const fs::path& src) { test::WriteFile(src / name, test::EncodePng(image)); };
}
Change Move(std::string from, std::string to) {
  return [=](const fs::path& src) { fs::rename(src / from, src / to); };
}
Change Remove(std::string name) {
  return [=](const fs::path& src) { fs::remove(src / name); };
}

// layout.txt with line `number` replaced by `text` (which may hold several lines).
Change PutLayoutLine(int number, std::string text) {
  return [=](const fs::path& src) {
    std::vector<std::string> lines = kLayoutLines;
    lines.at(static_cast<std::size_t>(number - 1)) = text;
    test::WriteFile(src / "layout.txt", LayoutText(lines));
  };
}

RgbaImage OpaqueTopLeftAmongTransparent() {
  RgbaImage picture = Picture({0, 0, 0, 0});
  picture.At(0, 0) = {9, 9, 9, 255};
  return picture;
}

// clang-format off
const BrokenSource kBrokenSources[] = {
    {"frames of two sizes", PutPng("frames/wave/10.png", test::FilledImage(20, 24, {1, 2, 3, 255})),
     "frames", "", "frames/wave/10.png is 20 x 24 pixels, but frames/walk/1.png is 24 x 24"},
    {"a frame not named by its key", Move("frames/walk/2.png", "frames/walk/two.png"),
     "frames/walk/two.png", "", "named by its key"},
    {"a frame outside a group", Move("frames/walk/2.png", "frames/2.png"),
     "frames/2.png", "", "a folder per animation"},
    {"a frame that is not a PNG", Put("frames/walk/2.png", "nope"),
     "frames/walk/2.png", "", "not a PNG"},
    {"a bad scripts.txt line", Put("scripts.txt", "do = 1\nwave 10\n"),
     "scripts.txt", "line 2", "name = script text"},
    {"an undefined name, placed in scripts.txt", Put("scripts.txt", "# x\ndo = 1,\n  2, waev\n"),
     "scripts.txt", "line 3, column 6 (script \"do\")", "\"waev\" is not defined"},
    {"an endless definition, placed in scripts.txt",
     Put("scripts.txt", "do = 1,loop\nloop = (loop)\n"),
     "scripts.txt", "line 2 (script \"loop\")", "never shows a frame"},
    {"no scripts.txt", Remove("scripts.txt"),
     "scripts.txt", "", "missing"},
    {"a sound name scripts cannot use", Move("sounds/bell.wav", "sounds/big-bell.wav"),
     "sounds/big-bell.wav", "", "letters, digits and '_'"},
    {"a sound that is not a WAV", Put("sounds/bell.wav", "RIFF"),
     "sounds/bell.wav", "", "not a sound file"},
    {"a picture with an opaque top-left pixel among transparent ones",
     PutPng("pictures/logo.png", OpaqueTopLeftAmongTransparent()),
     "pictures/logo.png", "", "top-left"},
    {"music that is not MIDI", Put("music.mid", "ID3"),
     "music.mid", "", "not a MIDI file"},
    {"a layout character without a Windows-1252 form", Put("layout.txt", "Snow \xE2\x98\x83\nv1\n"),
     "layout.txt", "line 1, column 6", "U+2603"},
    {"a message character without a Windows-1252 form",
     Put("message.txt", "Hi\nsnow \xE2\x98\x83\n"),
     "message.txt", "line 2, column 6", "U+2603"},
    {"a picture the layout names but the sources lack", Remove("pictures/hover.png"),
     "layout.txt", "line 11, hot spot 1, hover image \"hover.bmp\"", "not in the card folder"},
    {"a hover image line without its extra character", PutLayoutLine(11, "hover.bmp"),
     "layout.txt", "line 11, hot spot 1, hover image \"hover.bm\"", "write \"hover.bmp-\""},
    {"a picture named by its PNG",
     Put("layout.txt", "T\nv1\n0|0|0\n0|0|0\n-\n0,0 back.png\n-\n0\n0\n"),
     "layout.txt", "line 6, image \"back.png\"", "did you mean back.bmp?"},
    {"a colour that is not #RRGGBB",
     Put("layout.txt", "T\nv1\n#FFFFFF|#000000|#FF00\n0|0|0\n-\n-\n0\n0\n"),
     "layout.txt", "line 3", "found \"#FF00\""},
};
// clang-format on

TEST_F(CardBuilderTest, NamesEachMistakeInTheSourcesByFileAndPlace) {
  for (const BrokenSource& source : kBrokenSources) {
    test::TempDir dir;
    const fs::path src = dir.Path() / "src";
    WriteSource(src);
    source.breakIt(src);
    const Diagnostics diagnostics = BuildCard(src, dir.Path() / "out");
    EXPECT_TRUE(diagnostics.HasErrors()) << source.what;
    bool found = false;
    for (const Diagnostic& d : diagnostics.All()) {
      found |= d.severity == Severity::Error && d.file == source.file && d.place == source.place &&
               d.text.find(source.says) != std::string::npos;
    }
    EXPECT_TRUE(found) << source.what << ": expected " << source.file << ", " << source.place
                       << ": ..." << source.says << "...\ngot:\n"
                       << Listing(diagnostics);
  }
}

}  // namespace
}  // namespace card::kit

namespace card::kit {
namespace {

// A frame of the figure with one pixel that is neither opaque nor transparent.
RgbaImage SoftPixelFrame() {
  RgbaImage frame = FewColours(1);
  frame.At(5, 4).a = 200;
  return frame;
}

// An opaque picture whose top-left colour also stands inside, ringed by another colour.
RgbaImage KeyColourInside() {
  RgbaImage picture = test::FilledImage(16, 12, {10, 20, 30, 255});
  for (int y = 5; y <= 7; ++y) {
    for (int x = 7; x <= 9; ++x) picture.At(x, y) = {200, 0, 0, 255};
  }
  picture.At(8, 6) = {10, 20, 30, 255};
  return picture;
}

struct LookMistake {
  const char* what;
  Change makeIt;
  std::string file;
  std::string place;
  std::string says;
};

// clang-format off
const LookMistake kLookMistakes[] = {
    {"a group of more colours than its palette holds", PutPng("frames/walk/2.png", ManyColours()),
     "frames/walk", "", "use 381 colours together, but a group's palette holds 15"},
    {"a frame with nothing transparent",
     PutPng("frames/walk/2.png", test::FilledImage(kSide, kSide, {1, 2, 3, 255})),
     "frames/walk/2.png", "", "drawn inside a box"},
    {"a half-transparent pixel in a frame", PutPng("frames/walk/1.png", SoftPixelFrame()),
     "frames/walk/1.png", "pixel 5,4", "1 pixels are half-transparent"},
    {"a picture's transparent colour inside it", PutPng("pictures/back.png", KeyColourInside()),
     "pictures/back.png", "pixel 8,6", "top-left colour #0A141E"},
    {"a background picture smaller than the card", PutLayoutLine(7, "0,0 back.bmp"),
     "layout.txt", "line 7", "fills only the top-left corner"},
    {"a picture under the buttons", PutLayoutLine(7, "100,400 back.bmp"),
     "layout.txt", "line 7", "reaches under the buttons"},
    {"a hot spot under the buttons", PutLayoutLine(12, "40, 350, 200, 380"),
     "layout.txt", "line 12", "clicks go to the buttons"},
    {"a hot spot under the message", PutLayoutLine(12, "40, 300, 200, 340"),
     "layout.txt", "line 12", "under the message's area"},
    {"picture colours the palette lacks", PutLayoutLine(14, "1\n16777215"),
     "layout.txt", "line 15", "pictures/back.png uses 1 colour the palette lacks (#B4143C)"},
};
// clang-format on

TEST_F(CardBuilderTest, WarnsAboutEachLookMistakeAtItsPlace) {
  for (const LookMistake& mistake : kLookMistakes) {
    test::TempDir dir;
    const fs::path src = dir.Path() / "src";
    WriteSource(src);
    mistake.makeIt(src);
    const Diagnostics diagnostics = BuildCard(src, dir.Path() / "out");
    EXPECT_FALSE(diagnostics.HasErrors()) << mistake.what << "\n" << Listing(diagnostics);
    bool found = false;
    for (const Diagnostic& d : diagnostics.All()) {
      found |= d.severity == Severity::Warning && d.file == mistake.file &&
               d.place == mistake.place && d.text.find(mistake.says) != std::string::npos;
    }
    EXPECT_TRUE(found) << mistake.what << ": expected " << mistake.file << ", " << mistake.place
                       << ": ..." << mistake.says << "...\ngot:\n"
                       << Listing(diagnostics);
  }
}

TEST_F(CardBuilderTest, HexColoursAndAsciiBoundsBuildTheSameBytes) {
  const std::string palette = "2\n16774896\n255\n";
  std::vector<std::string> lines = kLayoutLines;
  lines.back() = palette;
  test::WriteFile(Source() / "layout.txt", LayoutText(lines));
  ASSERT_FALSE(BuildCard(Source(), Out()).HasErrors());

  lines[3] = "#FFFFFF|#000000|#ff0000";
  lines[4] = "#C0C0C0|0|#FFFFFF";
  lines[12] = "#FF0000, #00FF00";
  lines.back() = "2\n#F0F6FF\n#FF0000\n";
  test::WriteFile(Source() / "layout.txt", LayoutText(lines));
  test::WriteFile(Source() / "scripts.txt",
                  "# the figure\ndo = walk, (!BELL wave)\nwalk = <[0,0]0l0t,[0,0]0r0b>\n"
                  "   ([4,0]1-2)*3\nwave = 10@5\n");
  const fs::path friendly = dir_.Path() / "friendly";
  ASSERT_FALSE(BuildCard(Source(), friendly).HasErrors());
  for (const char* name : {"Layout.txt", "Card.FAS"}) {
    EXPECT_EQ(test::ReadFile(friendly / name), test::ReadFile(Out() / name)) << name;
  }
}

}  // namespace
}  // namespace card::kit
