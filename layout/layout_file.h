// Layout.txt as a plain value: the card's title, sound and music switches, six colours, the
// pictures placed on the card (with the logo of the visit button), its hot spots and its
// palette. ParseLayout turns the file's text into one; the shell builds its windows from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/geometry.h"
#include "content/content_file_names.h"
#include "common/result.h"

namespace card {

// The card window keeps its placed images and hot spots in lists of 80 entries ended by a null
// one, and reads the file through a table of as many lines.
constexpr int kMaxLayoutLines = 79;
constexpr int kMaxPlacedImages = 79;  // the logo's entry included
constexpr int kMaxHotSpots = 79;

// Added to each of the six layout colours so they are matched in the card's own palette.
constexpr std::uint32_t kPaletteRelativeFlag = 0x02000000;

// Zero or nonzero switches, as written in the file.
struct LayoutSettings {
  std::int32_t soundEffectsOn = 0;
  std::int32_t musicOn = 0;
  std::int32_t musicRepeats = 0;
  friend bool operator==(const LayoutSettings&, const LayoutSettings&) = default;
};

// 0x00BBGGRR values with kPaletteRelativeFlag ORed in.
struct LayoutColours {
  std::uint32_t background = 0;
  std::uint32_t messageText = 0;
  std::uint32_t messageShadow = 0;
  std::uint32_t buttonFace = 0;
  std::uint32_t buttonText = 0;
  std::uint32_t buttonTextShadow = 0;
  friend bool operator==(const LayoutColours&, const LayoutColours&) = default;
};

// A bitmap file drawn with its top-left corner at (x, y) of the surface it belongs to.
struct LayoutImage {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::string fileName;
  friend bool operator==(const LayoutImage&, const LayoutImage&) = default;
};

// A clickable rectangle of the card window (client pixels, right and bottom exclusive).
struct LayoutHotSpot {
  std::string target;      // opened with the shell's default action
  std::string hoverImage;  // bitmap shown while the pointer is inside; empty for none
  Rect rect;
  std::uint32_t fromColour = 0;  // plain 0x00BBGGRR, no flag
  std::uint32_t toColour = 0;
  friend bool operator==(const LayoutHotSpot&, const LayoutHotSpot&) = default;
};

// Where the parts of a layout stand in its text, as 1-based line numbers counted as an editor
// counts them: what tools need to point an author at a line, or to rewrite the colour lines.
struct LayoutLines {
  int colours[2] = {0, 0};      // the two lines of three colours
  int logo = 0;                 // the logo line, or the one character that stands for none
  std::vector<int> images;      // one per placed image
  struct HotSpot {
    int target = 0;
    int hoverImage = 0;
    int rect = 0;
    int colours = 0;  // the from and to colours
  };
  std::vector<HotSpot> hotSpots;
  std::vector<int> palette;  // one per palette entry
};

struct LayoutFile {
  std::string title;
  std::string versionTag;  // "v1" means the file has no settings line
  LayoutSettings settings;
  LayoutColours colours;
  std::optional<LayoutImage> logo;  // drawn on the visit button, in its client coordinates
  std::vector<LayoutImage> images;  // drawn on the card, in this order
  std::vector<LayoutHotSpot> hotSpots;
  std::vector<std::uint32_t> palette;  // 0x00BBGGRR values in file order
  LayoutLines lines;  // where each part stands, for messages to the author
};

// Parses the text of a layout file. A file that lacks a line the format needs, a line with
// fewer values than its form, or a file beyond the limits above is refused with a sentence
// naming `fileName`, the line and what was expected there.
Result<LayoutFile> ParseLayout(std::string_view text, std::string_view fileName = kLayoutFile);

}  // namespace card
