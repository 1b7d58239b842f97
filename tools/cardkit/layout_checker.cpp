// The layout part of the card check: Layout.txt parses, and what it names is there and usable.
#include "tools/cardkit/layout_checker.h"

#include "card/card_files.h"
#include "card/card_target.h"
#include "layout/layout_file.h"
#include "animation/image/bitmap_header.h"
#include "tools/cardkit/file_io.h"

#include <cctype>
#include <string>

namespace card::kit {
namespace {

const std::string kLayout(kLayoutFile);

bool Exists(const std::filesystem::path& folder, std::string_view name) {
  return FindCardFile(folder.string(), name).has_value();
}

// What the author most likely meant by a bitmap name the folder lacks: the layout names the
// bitmaps the build makes, not the pictures they are made from; and a hover image's line loses
// its last character, so a name that lacks one letter was written without the extra one.
std::string MissingBitmapHint(const std::filesystem::path& folder, const std::string& name) {
  const std::size_t dot = name.rfind('.');
  std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".png") {
    return " The layout names the bitmap made from pictures/" + name + ": did you mean " +
           name.substr(0, dot) + ".bmp?";
  }
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string file = entry.path().filename().string();
    if (file.size() == name.size() + 1 && file.starts_with(name)) {
      return " Did you mean " + file + "? A hover image's line ends with one more character, "
             "which is dropped: write \"" + file + "-\".";
    }
  }
  return "";
}

// Where a name of the layout stands: "line 7, image \"back.bmp\"".
std::string Place(int line, const std::string& role, const std::string& name) {
  return "line " + std::to_string(line) + ", " + role + " \"" + name + "\"";
}

// A bitmap named in the layout: a plain file of the card folder that loads, with a colour table
// for its transparency.
void CheckBitmap(const std::filesystem::path& folder, const std::string& name,
                 const std::string& place, Diagnostics& out) {
  if (!CardFileName(name)) {
    out.Error(kLayout, place,
              "the card shows no picture named so: a picture is a file of the card folder "
              "itself, named without a path, drive, '\\' or ':', and not a device's name.");
    return;
  }
  const auto path = FindCardFile(folder.string(), name);
  if (!path) {
    out.Error(kLayout, place, "the bitmap " + name + " is not in the card folder." +
                                  MissingBitmapHint(folder, name));
    return;
  }
  auto bytes = ReadWholeFile(*path);
  if (!bytes) {
    out.Error(name, "", bytes.error());
    return;
  }
  auto header = ReadBitmapHeader(*bytes);
  if (!header) {
    out.Error(name, "", "the card cannot load it: " + header.error());
  } else if (header->tableEntries == 0) {
    out.Error(name, "",
              "it has " + std::to_string(header->bitsPerPixel) +
                  " bits per pixel and no colour table, so the card cannot draw it "
                  "with a transparent colour; use 8 bits or fewer.");
  }
}

// A hot spot's target must be one the card opens, and a file of the card folder should be there.
void CheckTarget(const std::filesystem::path& folder, const std::string& target,
                 const std::string& place, Diagnostics& out) {
  const CardTarget classified = ClassifyTarget(target);
  if (classified.kind == CardTarget::Kind::Nothing) {
    out.Error(kLayout, place,
              "a click opens nothing there: " + std::string(kTargetsACardOpens) + ".");
  } else if (classified.kind == CardTarget::Kind::CardFile && !Exists(folder, classified.text)) {
    out.Warning(kLayout, place, "it is not in the card folder.");
  }
}

void CheckLayoutFiles(const std::filesystem::path& folder, const LayoutFile& layout,
                      Diagnostics& out) {
  const LayoutLines& lines = layout.lines;
  if (layout.logo) {
    CheckBitmap(folder, layout.logo->fileName, Place(lines.logo, "logo", layout.logo->fileName),
                out);
  }
  for (std::size_t i = 0; i < layout.images.size(); ++i) {
    const std::string& name = layout.images[i].fileName;
    CheckBitmap(folder, name, Place(lines.images[i], "image", name), out);
  }
  for (std::size_t i = 0; i < layout.hotSpots.size(); ++i) {
    const LayoutHotSpot& spot = layout.hotSpots[i];
    const std::string role = "hot spot " + std::to_string(i + 1);
    if (!spot.hoverImage.empty()) {
      CheckBitmap(folder, spot.hoverImage,
                  Place(lines.hotSpots[i].hoverImage, role + ", hover image", spot.hoverImage), out);
    }
    CheckTarget(folder, spot.target, Place(lines.hotSpots[i].target, role + ", target", spot.target),
                out);
  }
  if (layout.settings.soundEffectsOn == 0 && Exists(folder, kSoundsFile)) {
    out.Warning(kLayout, "", "sound effects are off, so the sounds of Card.WAS never play.");
  }
  if (layout.settings.musicOn != 0 && !Exists(folder, kMusicFile)) {
    out.Warning(kLayout, "", "music is on, but there is no card.mid to play.");
  }
}

}  // namespace

void CheckLayoutFolder(const std::filesystem::path& folder, Diagnostics& out) {
  const auto path = FindCardFile(folder.string(), kLayoutFile);
  if (!path) {
    out.Error(kLayout, "", "there is no Layout.txt; the card cannot start without it.");
    return;
  }
  auto bytes = ReadWholeFile(*path);
  if (!bytes) {
    out.Error(kLayout, "", bytes.error());
    return;
  }
  auto layout =
      ParseLayout(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  if (!layout) {
    out.ErrorFromMessage(kLayout, layout.error());
    return;
  }
  CheckLayoutFiles(folder, *layout, out);
}

}  // namespace card::kit
