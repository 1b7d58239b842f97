// The layout part of the card check: Layout.txt parses, and what it names is there and usable.
#include "tools/cardkit/layout_checker.h"

#include "card/card_files.h"
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

// A bitmap named in the layout: it must load, and have a colour table for its transparency.
void CheckBitmap(const std::filesystem::path& folder, const std::string& name,
                 const std::string& role, Diagnostics& out) {
  const std::string place = role + " \"" + name + "\"";
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

// A hot spot's target that looks like a file of the card folder should be there.
bool IsLocalFile(const std::string& target) {
  return !target.empty() && target.find("://") == std::string::npos &&
         target.find(':') == std::string::npos && !target.starts_with("mailto") &&
         !target.starts_with("\\\\") && !target.starts_with("www.");
}

void CheckLayoutFiles(const std::filesystem::path& folder, const LayoutFile& layout,
                      Diagnostics& out) {
  if (layout.logo) CheckBitmap(folder, layout.logo->fileName, "logo", out);
  for (const LayoutImage& image : layout.images) CheckBitmap(folder, image.fileName, "image", out);
  for (std::size_t i = 0; i < layout.hotSpots.size(); ++i) {
    const LayoutHotSpot& spot = layout.hotSpots[i];
    const std::string role = "hot spot " + std::to_string(i + 1);
    if (!spot.hoverImage.empty()) CheckBitmap(folder, spot.hoverImage, role + ", hover image", out);
    if (IsLocalFile(spot.target) && !Exists(folder, spot.target)) {
      out.Warning(kLayout, role, "its target \"" + spot.target + "\" is not in the card folder.");
    }
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
