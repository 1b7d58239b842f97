// The starter card's text files, and where its art goes.
#include "tools/cardkit/starter_card.h"

#include "tools/cardkit/file_io.h"
#include "tools/cardkit/png_writer.h"
#include "tools/cardkit/starter_art.h"

#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace card::kit {
namespace {

namespace fs = std::filesystem;
using namespace starter;

std::string Hex(const Rgb& colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.r, colour.g, colour.b);
  return text;
}

// Every colour the card's pictures use, and the swapped gift colour: the card's palette.
std::set<Rgb> PaletteColours() {
  std::set<Rgb> colours{kGiftBlue};
  for (const RgbaImage& picture : {Background(), Gift(), Logo()}) {
    for (const Rgba& pixel : picture.pixels) {
      if (!IsTransparent(pixel)) colours.insert(ColourOf(pixel));
    }
  }
  return colours;
}

std::string LayoutText() {
  std::string text = "My first card\n"
                     "v2\n"
                     "1,1,0\n" +
                     Hex(kSky) + "|" + Hex(kInk) + "|" + Hex(kRibbon) + "\n" + Hex(kButtonFace) +
                     "|" + Hex(kWhite) + "|" + Hex(kButtonShadow) +
                     "\n"
                     "4,10 logo.bmp\n"
                     "0,0 back.bmp\n"
                     "540,30 gift.bmp\n"
                     "-\n"
                     "1\n"
                     ".\\page.htm\n"
                     "-\n"
                     "540, 30, 604, 94\n" +
                     Hex(kGiftRed) + ", " + Hex(kGiftBlue) + "\n";
  const std::set<Rgb> palette = PaletteColours();
  text += std::to_string(palette.size()) + "\n";
  for (const Rgb& colour : palette) text += Hex(colour) + "\n";
  return text;
}

constexpr std::string_view kScripts =
    R"(# The figure's animation. The card plays the script "do"; each entry is
# "name = script text", and a line that starts with a blank continues the entry above.
#   1 2 3      frames, named by their files in frames/ (one frame per tenth of a second)
#   [dx,dy]    moves the figure dx pixels right and dy pixels UP with the next frame
#   X*N        shows X N times;  X@N  repeats X for N tenths of a second
#   (...)      a group: a repeat after it repeats the whole group
#   !POP       plays sounds/POP.wav;  (!POP ...) runs the group while the sound plays
#   <...>      bounds: the figure stays inside them, and the group ends where it meets them

do = corner walk hello

# The desktop's work area, from its left top (0l0t) to its right bottom (0r0b).
desk = <0l0t,0r0b>

# Far down and left at once: the bounds stop the figure in the bottom-left corner.
corner = desk [-9999,-9999]1

# Hop to the right for three seconds, or until the right edge stops him.
walk = desk hop@30
hop = [6,0]2 [6,8]3 [6,0]3 [6,-8]1

# A pop, a wave while it sounds, and a rest.
hello = (!POP 4*3) 1*10
)";

constexpr std::string_view kMessage = R"(@centred
Dear friend,

this card was made with cardkit.
Click the gift!

With love
)";

constexpr std::string_view kPage = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>A gift</title></head>
<body><h1>A gift for you</h1><p>The card's hot spot opened this page.</p></body></html>
)";

constexpr std::string_view kAbout = R"(The starter card: a source folder for `cardkit build`.

  layout.txt      the card window, one part a line (layout.txt does not allow comments):
                    My first card           the window's title
                    v2                      the version; a settings line follows
                    1,1,0                   sound effects on, music on, music does not repeat
                    #FFF4D6|#5A2D0C|#F2C879 background, message text, message shadow
                    #C8553D|#FFFFFF|#7A2E21 button face, button text, button text shadow
                    4,10 logo.bmp           the logo on "Visit Us", at x,y on that button
                    0,0 back.bmp            the card's pictures, drawn in this order at x,y
                    540,30 gift.bmp
                    -                       one character ends the pictures
                    1                       the number of hot spots; each takes four lines:
                    .\page.htm                what a click opens
                    -                         a hover image's name and one more character
                                              ("-" alone: no hover image)
                    540, 30, 604, 94          left, top, right, bottom on the card
                    #E03C31, #3C8DE0          while the pointer is inside: this colour of the
                                              pictures is shown as that one
                    N, then N lines           the card's palette: every colour the pictures use
  message.txt     the message; "@centred" on its first line centres it
  scripts.txt     the figure's animation, with comments
  frames/         the figure's frames: frames/<group>/<number>.png
  sounds/         sound effects: sounds/<NAME>.wav, played as !NAME
  pictures/       the pictures; each becomes <name>.bmp, which layout.txt names
  music.mid       the tune
  files/          copied into the card as they are (page.htm, which the gift opens)

The card source reference (docs/card-source.md, linked from the README) describes every part
in full.
)";

Status Put(const fs::path& path, std::string_view text) {
  return WriteWholeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace

Status WriteStarterCard(const fs::path& folder) {
  std::error_code error;
  const bool empty = fs::is_directory(folder, error) && fs::is_empty(folder, error);
  if (fs::exists(folder, error) && !empty) {
    return Fail(folder.string() + " is already there and not empty; give a new folder's name.");
  }
  for (const char* sub : {"frames/hop", "frames/wave", "sounds", "pictures", "files"}) {
    fs::create_directories(folder / sub, error);
    if (error) return Fail("cannot make " + (folder / sub).string() + ": " + error.message());
  }
  struct File {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  const std::string layout = LayoutText();
  std::vector<File> files = {
      {"layout.txt", {layout.begin(), layout.end()}},
      {"frames/hop/1.png", EncodePng(ChickFrame(1))},
      {"frames/hop/2.png", EncodePng(ChickFrame(2))},
      {"frames/hop/3.png", EncodePng(ChickFrame(3))},
      {"frames/wave/4.png", EncodePng(ChickFrame(4))},
      {"pictures/back.png", EncodePng(Background())},
      {"pictures/gift.png", EncodePng(Gift())},
      {"pictures/logo.png", EncodePng(Logo())},
      {"sounds/POP.wav", PopSound()},
      {"music.mid", Tune()},
  };
  for (const File& file : files) {
    if (Status status = WriteWholeFile(folder / file.name, file.bytes); !status) return status;
  }
  for (const auto& [name, text] : {std::pair{"scripts.txt", kScripts}, {"message.txt", kMessage},
                                   {"files/page.htm", kPage}, {"ABOUT.txt", kAbout}}) {
    if (Status status = Put(folder / name, text); !status) return status;
  }
  return {};
}

}  // namespace card::kit
