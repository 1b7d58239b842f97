// cardkit info FILE|FOLDER: what a card's content files hold. Card.FAS: frame size, S, R, the
// frames and their keys, the scripts; Card.WAS: each sound and its length; Layout.txt: title,
// switches, colours, pictures, hot spots and palette; a card folder: its files, then each of
// those three. A damaged or missing file ends the command with the reader's own sentence.
#include "tools/cardkit/commands.h"

#include "animation/fas/fas_file.h"
#include "card/card_files.h"
#include "common/colour.h"
#include "layout/layout_file.h"
#include "sound/was_file.h"
#include "tools/cardkit/file_io.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The card's single-byte Windows-1252 text as UTF-8 for the terminal.
std::string ToUtf8(std::string_view text) {
  // Code points of bytes 0x80-0x9F; 0 where Windows-1252 has no character.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string utf8;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const char32_t point = byte < 0x80 ? byte : byte < 0xA0 ? kHigh[byte - 0x80] : byte;
    if (point == 0 && byte != 0) {
      utf8 += '?';
    } else if (point < 0x80) {
      utf8 += static_cast<char>(point);
    } else if (point < 0x800) {
      utf8 += static_cast<char>(0xC0 | (point >> 6));
      utf8 += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (point >> 12));
      utf8 += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return utf8;
}

// A 0x00BBGGRR value (flags ignored) as #RRGGBB.
std::string Colour(std::uint32_t value) {
  const Rgb rgb = RgbOf(value);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
  return text;
}

std::string Seconds(std::size_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(bytes) / kClipBytesPerSecond);
  return text;
}

Status DescribeFrames(const fs::path& path) {
  auto opened = FasFile::Open(path.string());
  if (!opened) return Fail(opened.error());
  const FasFile& fas = *opened.value();
  std::uint16_t lowest = UINT16_MAX;
  std::uint16_t highest = 0;
  for (std::uint32_t i = 0; i < fas.FrameCount(); ++i) {
    lowest = std::min(lowest, fas.FrameKey(i));
    highest = std::max(highest, fas.FrameKey(i));
  }
  std::cout << path.string() << ": frame-animation file, " << fas.Bytes().size() << " bytes\n"
            << "  frame size: " << fas.Width() << " x " << fas.Height() << " pixels, "
            << fas.FrameBytes() << " bytes each (S)\n"
            << "  palette records: " << fas.PaletteRecordCount() << " (R)\n"
            << "  frames: " << fas.FrameCount() << ", keys " << lowest << " to " << highest << '\n'
            << "  scripts: " << fas.Scripts().Count() << '\n';
  for (std::size_t i = 0; i < fas.Scripts().Count(); ++i) {
    const auto text =
        ReadCString(fas.Bytes(), static_cast<std::size_t>(fas.Scripts().ValueOffset(i)));
    std::cout << "    " << ToUtf8(fas.Scripts().Name(i)) << ": " << text->size() << " bytes\n";
  }
  return {};
}

Status DescribeSounds(const fs::path& path) {
  auto opened = WasFile::Open(path.string());
  if (!opened) return Fail(opened.error());
  const WasFile& bank = *opened.value();
  std::cout << path.string() << ": sound bank, " << bank.Bytes().size() << " bytes\n"
            << "  sounds: " << bank.Sounds().Count() << '\n';
  for (std::size_t i = 0; i < bank.Sounds().Count(); ++i) {
    const std::size_t bytes = bank.Clip(i).size();
    std::cout << "    " << ToUtf8(bank.Sounds().Name(i)) << ": " << Seconds(bytes) << " (" << bytes
              << " bytes)\n";
  }
  return {};
}

std::string Placement(const LayoutImage& image) {
  return ToUtf8(image.fileName) + " at " + std::to_string(image.x) + "," + std::to_string(image.y);
}

Status DescribeLayout(const fs::path& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return Fail(bytes.error());
  auto parsed = ParseLayout(std::string(bytes->begin(), bytes->end()), path.string());
  if (!parsed) return Fail(parsed.error());
  const LayoutFile& layout = *parsed;
  auto onOff = [](std::int32_t value) { return value != 0 ? "on" : "off"; };
  const LayoutColours& c = layout.colours;
  std::cout << path.string() << ": layout\n"
            << "  title: " << ToUtf8(layout.title) << '\n'
            << "  version: " << ToUtf8(layout.versionTag) << '\n'
            << "  sound effects " << onOff(layout.settings.soundEffectsOn) << ", music "
            << onOff(layout.settings.musicOn) << ", music repeats "
            << onOff(layout.settings.musicRepeats) << '\n'
            << "  colours: background " << Colour(c.background) << ", message "
            << Colour(c.messageText) << " with shadow " << Colour(c.messageShadow) << ", buttons "
            << Colour(c.buttonFace) << " with text " << Colour(c.buttonText) << " and shadow "
            << Colour(c.buttonTextShadow) << '\n'
            << "  logo: " << (layout.logo ? Placement(*layout.logo) : "none") << '\n'
            << "  pictures: " << layout.images.size() << '\n';
  for (const LayoutImage& image : layout.images) std::cout << "    " << Placement(image) << '\n';
  std::cout << "  hot spots: " << layout.hotSpots.size() << '\n';
  for (const LayoutHotSpot& spot : layout.hotSpots) {
    std::cout << "    " << spot.rect.left << "," << spot.rect.top << " to " << spot.rect.right
              << "," << spot.rect.bottom << " opens " << ToUtf8(spot.target);
    if (!spot.hoverImage.empty()) std::cout << ", shows " << ToUtf8(spot.hoverImage);
    if (spot.fromColour != spot.toColour) {
      std::cout << ", turns " << Colour(spot.fromColour) << " into " << Colour(spot.toColour);
    }
    std::cout << '\n';
  }
  std::cout << "  palette: " << layout.palette.size() << " colours\n";
  return {};
}

// Which reader a file's name calls for; null when it is none of the card's content files.
using Describer = Status (*)(const fs::path&);

Describer DescriberFor(const fs::path& path) {
  const std::string name = Lower(path.filename().string());
  const std::string extension = Lower(path.extension().string());
  if (extension == ".fas") return DescribeFrames;
  if (extension == ".was") return DescribeSounds;
  if (name == "layout.txt") return DescribeLayout;
  return nullptr;
}

// Prints each failure of a folder or a file as it is met.
bool Report(const Status& status) {
  if (!status) std::cerr << status.error() << '\n';
  return status.ok();
}

// Every entry of the folder with its size, then Card.FAS, Card.WAS and Layout.txt in full.
bool DescribeFolder(const fs::path& folder) {
  std::vector<fs::directory_entry> entries(fs::directory_iterator(folder),
                                           fs::directory_iterator{});
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return Lower(a.path().filename().string()) < Lower(b.path().filename().string());
  });
  std::cout << folder.string() << ": card folder, " << entries.size() << " entries\n";
  for (const fs::directory_entry& entry : entries) {
    std::cout << "    " << entry.path().filename().string();
    if (entry.is_directory()) {
      std::cout << "/\n";
    } else {
      std::cout << ": " << entry.file_size() << " bytes\n";
    }
  }

  // `whenMissing` is what a missing optional file means; null for a file the card needs.
  auto describe = [&folder](std::string_view name, Describer describer, const char* whenMissing) {
    const auto found = FindCardFile(folder.string(), name);
    if (!found && whenMissing == nullptr) return Report(Fail(MissingFileMessage(folder, name)));
    std::cout << '\n';
    if (found) return Report(describer(*found));
    std::cout << name << ": none, " << whenMissing << '\n';
    return true;
  };
  bool ok = describe(kFramesFile, DescribeFrames, nullptr);
  ok = describe(kSoundsFile, DescribeSounds, "so the card plays no sound effects") && ok;
  ok = describe(kLayoutFile, DescribeLayout, nullptr) && ok;
  return ok;
}

// Prints what `path` holds, and why not when it cannot; false when anything failed.
bool Describe(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) return DescribeFolder(path);
  if (const Describer describer = DescriberFor(path)) return Report(describer(path));
  if (!fs::exists(path, error)) return Report(Fail(path.string() + " is missing."));
  return Report(Fail(path.string() + " is not a card content file: info reads *.FAS, *.WAS, "
                                     "Layout.txt or a card folder."));
}

}  // namespace

void AddInfoCommand(CLI::App& app) {
  auto* command = app.add_subcommand(
      "info", "Show what a Card.FAS, Card.WAS, Layout.txt or a whole card folder holds");
  auto path = std::make_shared<std::string>();
  command->add_option("path", *path, "a content file or a card folder")->required();
  command->callback([path] {
    const bool ok = Describe(*path);
    std::cout.flush();
    if (!ok) throw CommandFailed();
  });
}

}  // namespace card::kit
