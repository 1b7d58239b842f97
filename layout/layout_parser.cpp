// ParseLayout: walks the lines of a layout file in the order of its format. Every part takes
// the next line(s); there are no keys, so a missing line is reported where it was expected.
#include "layout/layout_file.h"
#include "layout/layout_text.h"

#include <string>

namespace card {
namespace {

// Lines every layout has besides its images: title, version, two colour lines, logo, end of
// images, hot-spot count and palette count. With the line limit this keeps the image list
// inside the card window's list without a check of its own.
constexpr int kLinesBesidesImages = 8;
static_assert(kMaxLayoutLines - kLinesBesidesImages + 1 <= kMaxPlacedImages);

class LineCursor {
 public:
  LineCursor(const std::vector<LayoutLine>& lines, std::string_view fileName)
      : lines_(lines), fileName_(fileName) {}

  // The next line, or a failure saying the file ends where `expected` should follow.
  const LayoutLine* Take(std::string_view expected, Failure& failure) {
    if (next_ < lines_.size()) return &lines_[next_++];
    if (lines_.empty()) {
      failure = Fail(std::string(fileName_) + " is missing or empty: expected " +
                     std::string(expected) + " on line 1.");
    } else {
      failure =
          Fail(std::string(fileName_) + " ends after line " + std::to_string(lines_.back().number) +
               ": expected " + std::string(expected) + " next.");
    }
    return nullptr;
  }

  std::size_t Remaining() const { return lines_.size() - next_; }

  Failure Refuse(const LayoutLine& line, std::string_view expected) const {
    return Fail(std::string(fileName_) + ", line " + std::to_string(line.number) + ": expected " +
                std::string(expected) + ".");
  }

 private:
  const std::vector<LayoutLine>& lines_;
  std::string_view fileName_;
  std::size_t next_ = 0;
};

class LayoutParser {
 public:
  LayoutParser(const std::vector<LayoutLine>& lines, std::string_view fileName)
      : lines_(lines, fileName) {}

  Result<LayoutFile> Parse() {
    if (!(ParseHeader() && ParseColours() && ParseImages() && ParseHotSpots() && ParsePalette())) {
      return failure_;
    }
    return std::move(layout_);
  }

 private:
  const LayoutLine* Take(std::string_view expected) { return lines_.Take(expected, failure_); }

  bool Refuse(const LayoutLine& line, std::string_view expected) {
    failure_ = lines_.Refuse(line, expected);
    return false;
  }

  bool ParseHeader() {
    const LayoutLine* title = Take("the card's title");
    if (!title) return false;
    layout_.title = title->text;
    const LayoutLine* version = Take("the version tag");
    if (!version) return false;
    layout_.versionTag = version->text;
    if (layout_.versionTag == "v1") return true;
    constexpr std::string_view kSettings =
        "three numbers separated by ',' (sound effects on, music on, music repeats)";
    const LayoutLine* line = Take(kSettings);
    if (!line) return false;
    const auto values = SplitAt(line->text, ',');
    if (values.size() < 3) return Refuse(*line, kSettings);
    layout_.settings = {ReadInteger(values[0]), ReadInteger(values[1]), ReadInteger(values[2])};
    return true;
  }

  bool ParseColourLine(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, int& place) {
    constexpr std::string_view kColours = "three colours separated by '|'";
    const LayoutLine* line = Take(kColours);
    if (!line) return false;
    place = line->number;
    const auto values = SplitAt(line->text, '|');
    if (values.size() < 3) return Refuse(*line, kColours);
    a = static_cast<std::uint32_t>(ReadInteger(values[0])) | kPaletteRelativeFlag;
    b = static_cast<std::uint32_t>(ReadInteger(values[1])) | kPaletteRelativeFlag;
    c = static_cast<std::uint32_t>(ReadInteger(values[2])) | kPaletteRelativeFlag;
    return true;
  }

  bool ParseColours() {
    LayoutColours& c = layout_.colours;
    int* at = layout_.lines.colours;
    return ParseColourLine(c.background, c.messageText, c.messageShadow, at[0]) &&
           ParseColourLine(c.buttonFace, c.buttonText, c.buttonTextShadow, at[1]);
  }

  bool ParseImage(const LayoutLine& line, std::string_view expected, LayoutImage& image) {
    const auto parts = SplitImageLine(line.text);
    if (!parts) return Refuse(line, expected);
    image = {parts->x, parts->y, std::string(parts->fileName)};
    return true;
  }

  bool ParseImages() {
    constexpr std::string_view kLogo =
        "the logo as \"x,y file name\", or one character for no logo";
    const LayoutLine* logo = Take(kLogo);
    if (!logo) return false;
    layout_.lines.logo = logo->number;
    if (logo->text.size() != 1 && !ParseImage(*logo, kLogo, layout_.logo.emplace())) return false;
    constexpr std::string_view kImage =
        "a picture as \"x,y file name\", or one character ending the pictures";
    for (;;) {
      const LayoutLine* line = Take(kImage);
      if (!line) return false;
      if (line->text.size() == 1) return true;
      layout_.lines.images.push_back(line->number);
      if (!ParseImage(*line, kImage, layout_.images.emplace_back())) return false;
    }
  }

  bool ParseHotSpot(LayoutHotSpot& spot) {
    LayoutLines::HotSpot& place = layout_.lines.hotSpots.emplace_back();
    const LayoutLine* target = Take("a hot spot's target");
    if (!target) return false;
    place.target = target->number;
    spot.target = target->text;
    const LayoutLine* hover = Take("a hot spot's hover image followed by one character");
    if (!hover) return false;
    place.hoverImage = hover->number;
    spot.hoverImage = hover->text.substr(0, hover->text.size() - 1);
    constexpr std::string_view kRect = "a hot spot's left, top, right and bottom (four numbers)";
    const LayoutLine* rect = Take(kRect);
    if (!rect) return false;
    place.rect = rect->number;
    const auto edges = SplitAtCommasAndBlanks(rect->text);
    if (edges.size() < 4) return Refuse(*rect, kRect);
    spot.rect = {ReadInteger(edges[0]), ReadInteger(edges[1]), ReadInteger(edges[2]),
                 ReadInteger(edges[3])};
    constexpr std::string_view kSwap = "a hot spot's from and to colours (two numbers)";
    const LayoutLine* swap = Take(kSwap);
    if (!swap) return false;
    place.colours = swap->number;
    const auto colours = SplitAtCommasAndBlanks(swap->text);
    if (colours.size() < 2) return Refuse(*swap, kSwap);
    spot.fromColour = static_cast<std::uint32_t>(ReadInteger(colours[0]));
    spot.toColour = static_cast<std::uint32_t>(ReadInteger(colours[1]));
    return true;
  }

  bool ParseHotSpots() {
    const LayoutLine* line = Take("the number of hot spots");
    if (!line) return false;
    const std::int32_t count = ReadInteger(line->text);
    if (count > kMaxHotSpots) {
      return Refuse(*line, "at most " + std::to_string(kMaxHotSpots) + " hot spots, found " +
                               std::to_string(count));
    }
    for (std::int32_t i = 0; i < count; ++i) {
      if (!ParseHotSpot(layout_.hotSpots.emplace_back())) return false;
    }
    return true;
  }

  bool ParsePalette() {
    const LayoutLine* line = Take("the number of palette entries");
    if (!line) return false;
    const std::int32_t count = ReadInteger(line->text);
    if (count < 0 || static_cast<std::size_t>(count) > lines_.Remaining()) {
      return Refuse(*line, "a palette count from 0 to the " + std::to_string(lines_.Remaining()) +
                               " lines that follow it, found " + std::to_string(count));
    }
    for (std::int32_t i = 0; i < count; ++i) {
      const LayoutLine* entry = Take("a palette entry");
      if (!entry) return false;
      layout_.lines.palette.push_back(entry->number);
      layout_.palette.push_back(static_cast<std::uint32_t>(ReadInteger(entry->text)));
    }
    return true;
  }

  LineCursor lines_;
  LayoutFile layout_;
  Failure failure_;
};

}  // namespace

Result<LayoutFile> ParseLayout(std::string_view text, std::string_view fileName) {
  const std::vector<LayoutLine> split = SplitLayoutLines(text);
  if (split.size() > static_cast<std::size_t>(kMaxLayoutLines)) {
    return Fail(std::string(fileName) + ", line " + std::to_string(split[kMaxLayoutLines].number) +
                ": expected the end of the file; a layout holds at most " +
                std::to_string(kMaxLayoutLines) + " non-empty lines.");
  }
  return LayoutParser(split, fileName).Parse();
}

}  // namespace card
