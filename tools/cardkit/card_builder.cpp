// The build: one converter per kind of source file, then the check of the result.
#include "tools/cardkit/card_builder.h"

#include "animation/fas/fas_writer.h"
#include "common/byte_writer.h"
#include "content/content_file_names.h"
#include "sound/was_writer.h"
#include "tools/cardkit/card_checker.h"
#include "tools/cardkit/file_io.h"
#include "tools/cardkit/bitmap_writer.h"
#include "tools/cardkit/frame_quantiser.h"
#include "tools/cardkit/layout_source.h"
#include "tools/cardkit/look_checker.h"
#include "tools/cardkit/message_source.h"
#include "animation/image/packed_pixels.h"
#include "tools/cardkit/png_reader.h"
#include "tools/cardkit/scripts_reader.h"
#include "tools/cardkit/wav_converter.h"
#include "tools/cardkit/windows1252.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

std::string AsText(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }
std::vector<std::uint8_t> AsBytes(std::string_view text) { return {text.begin(), text.end()}; }

// Files of a folder in name order, so builds do not depend on the file system's order.
std::vector<fs::path> SortedEntries(const fs::path& folder) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) entries.push_back(entry.path());
  std::sort(entries.begin(), entries.end());
  return entries;
}

bool HasExtension(const fs::path& path, std::string_view extension) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == extension;
}

class Builder {
 public:
  Builder(fs::path source, fs::path out) : source_(std::move(source)), out_(std::move(out)) {}

  Diagnostics Run();
  const std::vector<std::string>& Written() const { return written_; }

 private:
  std::string Relative(const fs::path& path) const {
    return path.lexically_relative(source_).generic_string();
  }
  void Write(std::string_view name, const std::vector<std::uint8_t>& bytes);
  std::optional<std::vector<std::uint8_t>> Read(const fs::path& path, bool required);

  void BuildLayout();
  void BuildMessage();
  std::vector<ScriptEntry> ReadScriptEntries();
  std::vector<FrameGroup> ReadFrames();
  void BuildAnimation(const std::vector<ScriptEntry>& scripts,
                      const std::vector<FrameGroup>& groups);
  void BuildSounds();
  void BuildPictures();
  void CopyMusic();
  void CopyFiles();
  void CheckResult(const std::vector<ScriptEntry>& scripts);
  void CheckLooks(const std::vector<FrameGroup>& groups);
  std::string SourceFileOf(const std::string& built) const;

  fs::path source_;
  fs::path out_;
  Diagnostics diagnostics_;
  // What the look check reads, kept as the build converts it.
  std::optional<LayoutFile> layout_;
  std::vector<SourcePicture> pictures_;
  MessagePlace message_;
  std::vector<std::string> written_;
};

void Builder::Write(std::string_view name, const std::vector<std::uint8_t>& bytes) {
  if (Status status = WriteWholeFile(out_ / name, bytes); !status) {
    diagnostics_.Error(std::string(name), "", status.error());
  } else {
    written_.emplace_back(name);
  }
}

std::optional<std::vector<std::uint8_t>> Builder::Read(const fs::path& path, bool required) {
  auto bytes = ReadWholeFile(path);
  if (bytes) return std::move(*bytes);
  if (required || fs::exists(path)) diagnostics_.Error(Relative(path), "", bytes.error());
  return std::nullopt;
}

void Builder::BuildLayout() {
  auto bytes = Read(source_ / "layout.txt", true);
  if (!bytes) return;
  auto text = Utf8ToWindows1252(AsText(*bytes));
  if (!text) {
    diagnostics_.ErrorFromMessage("layout.txt", "layout.txt, " + text.error());
    return;
  }
  auto layout = LayoutFromSource(*text, "layout.txt");
  if (!layout) {
    diagnostics_.ErrorFromMessage("layout.txt", layout.error());
    return;
  }
  if (auto file = ParseLayout(*layout, "layout.txt")) layout_ = std::move(*file);
  // The card takes any line end; Windows tools expect CR LF.
  std::string crlf;
  for (char c : *layout) {
    if (c == '\r') continue;
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Write(kLayoutFile, AsBytes(crlf));
}

void Builder::BuildMessage() {
  auto bytes = Read(source_ / "message.txt", false);
  if (!bytes) {
    diagnostics_.Warning("message.txt", "", "there is no message.txt, so the card has no message.");
    return;
  }
  auto message = MessageFileBytes(AsText(*bytes));
  if (!message) {
    diagnostics_.ErrorFromMessage("message.txt", "message.txt, " + message.error());
    return;
  }
  message_ = {true, message->ends_with("\xFF\xFF")};
  Write(kMessageFile, AsBytes(*message));
}

std::vector<ScriptEntry> Builder::ReadScriptEntries() {
  auto bytes = Read(source_ / "scripts.txt", true);
  if (!bytes) return {};
  return ReadScripts(AsText(*bytes), "scripts.txt", diagnostics_);
}

std::vector<FrameGroup> Builder::ReadFrames() {
  std::vector<FrameGroup> groups;
  const fs::path folder = source_ / "frames";
  if (!fs::is_directory(folder)) {
    diagnostics_.Error("frames", "",
                       "there is no frames folder; the figure needs at least one frame.");
    return groups;
  }
  for (const fs::path& groupFolder : SortedEntries(folder)) {
    if (!fs::is_directory(groupFolder)) {
      diagnostics_.Error(Relative(groupFolder), "",
                         "frames go into a folder per animation: frames/<group>/<key>.png.");
      continue;
    }
    FrameGroup group{groupFolder.filename().string(), {}};
    for (const fs::path& file : SortedEntries(groupFolder)) {
      const std::string stem = file.stem().string();
      const bool numbered =
          !stem.empty() && stem.size() <= 5 &&
          std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; });
      if (!HasExtension(file, ".png") || !numbered || std::stoi(stem) > 65535) {
        diagnostics_.Error(Relative(file), "",
                           "a frame file is named by its key, 0 to 65535, as in 12.png.");
        continue;
      }
      auto bytes = Read(file, true);
      if (!bytes) continue;
      auto image = ReadPng(*bytes, Relative(file));
      if (!image) {
        diagnostics_.ErrorFromMessage(Relative(file), image.error());
        continue;
      }
      group.frames.push_back(
          {Relative(file), static_cast<std::uint16_t>(std::stoi(stem)), std::move(*image)});
    }
    groups.push_back(std::move(group));
  }
  return groups;
}

void Builder::BuildAnimation(const std::vector<ScriptEntry>& scripts,
                             const std::vector<FrameGroup>& groups) {
  auto frames = QuantiseFrames(groups);
  if (!frames) {
    diagnostics_.Error("frames", "", frames.error());
    return;
  }
  FasContents contents;
  contents.width = frames->width;
  contents.height = frames->height;
  const auto frameBytes = FrameBytesFor(frames->width, frames->height);
  if (!frameBytes) {
    diagnostics_.Error("frames", "",
                       "frames of " + std::to_string(frames->width) + " x " +
                           std::to_string(frames->height) + " pixels are too large for the card.");
    return;
  }
  contents.frameBytes = *frameBytes;
  for (const FramePalette& palette : frames->palettes) {
    std::array<Rgb, kPaletteColours> colours{};
    std::copy_n(palette.colours.begin(), kPaletteColours, colours.begin());
    auto record = MakePaletteRecord(colours, kTransparentIndex, frames->width, frames->height);
    if (!record) {
      diagnostics_.Error("frames", "", record.error());
      return;
    }
    contents.paletteRecords.push_back(*record);
  }
  for (const QuantisedFrame& frame : frames->frames) {
    contents.frames.push_back({frame.key, static_cast<std::uint8_t>(frame.palette),
                               PackBottomUp(frame.indices, frames->width, frames->height, 4)});
  }
  for (const ScriptEntry& script : scripts) contents.scripts.push_back({script.name, script.text});
  auto bytes = WriteFas(contents);
  if (!bytes) {
    diagnostics_.Error(std::string(kFramesFile), "", bytes.error());
    return;
  }
  Write(kFramesFile, *bytes);
}

void Builder::BuildSounds() {
  const fs::path folder = source_ / "sounds";
  if (!fs::is_directory(folder)) return;
  std::vector<WasSound> sounds;
  for (const fs::path& file : SortedEntries(folder)) {
    const std::string name = file.stem().string();
    const bool usable = !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
      return std::isalnum(c) || c == '_';
    });
    if (!HasExtension(file, ".wav") || !usable) {
      diagnostics_.Error(
          Relative(file), "",
          "a sound is a .wav file whose name scripts can use: letters, digits and '_'.");
      continue;
    }
    auto bytes = Read(file, true);
    if (!bytes) continue;
    auto samples = ConvertSound(*bytes, Relative(file));
    if (!samples) {
      diagnostics_.ErrorFromMessage(Relative(file), samples.error());
      continue;
    }
    WasSound sound{name, {}};
    for (std::int16_t sample : *samples) {
      AppendU16(sound.samples, static_cast<std::uint16_t>(sample));
    }
    sounds.push_back(std::move(sound));
  }
  auto bytes = WriteWas(sounds);
  if (!bytes) {
    diagnostics_.Error("sounds", "", bytes.error());
    return;
  }
  Write(kSoundsFile, *bytes);
}

void Builder::BuildPictures() {
  const fs::path folder = source_ / "pictures";
  if (!fs::is_directory(folder)) return;
  for (const fs::path& file : SortedEntries(folder)) {
    if (!HasExtension(file, ".png")) {
      diagnostics_.Error(Relative(file), "", "pictures are PNG files.");
      continue;
    }
    auto bytes = Read(file, true);
    if (!bytes) continue;
    auto image = ReadPng(*bytes, Relative(file));
    auto bitmap = image ? WriteBitmap(*image, Relative(file))
                        : Result<std::vector<std::uint8_t>>(Fail(image.error()));
    if (!bitmap) {
      diagnostics_.ErrorFromMessage(Relative(file), bitmap.error());
      continue;
    }
    const std::string name = file.stem().string() + ".bmp";
    Write(name, *bitmap);
    pictures_.push_back({Relative(file), name, std::move(*image)});
  }
}

void Builder::CopyMusic() {
  auto bytes = Read(source_ / "music.mid", false);
  if (!bytes) return;
  if (bytes->size() < 4 || !std::equal(bytes->begin(), bytes->begin() + 4, "MThd")) {
    diagnostics_.Error("music.mid", "", "it is not a MIDI file.");
    return;
  }
  Write(kMusicFile, *bytes);
}

void Builder::CopyFiles() {
  const fs::path folder = source_ / "files";
  if (!fs::is_directory(folder)) return;
  std::error_code error;
  fs::copy(folder, out_, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  if (error) {
    diagnostics_.Error("files", "", "cannot copy into " + out_.string() + ": " + error.message());
    return;
  }
  for (const fs::path& file : SortedEntries(folder)) written_.push_back(file.filename().string());
}

// Places in Card.FAS's scripts become places in scripts.txt, where the author can fix them.
void Builder::CheckResult(const std::vector<ScriptEntry>& scripts) {
  std::map<std::string, const ScriptEntry*> byName;
  for (const ScriptEntry& entry : scripts) byName[entry.name] = &entry;
  ScriptPlaces places = [&byName](const std::string& script, std::optional<std::size_t> position) {
    auto it = byName.find(script);
    if (it == byName.end()) return std::optional<DiagnosticPlace>();
    const std::string place =
        position ? it->second->SourcePlace(*position) : "line " + std::to_string(it->second->line);
    return std::optional<DiagnosticPlace>({"scripts.txt", place + " (script \"" + script + "\")"});
  };
  const Diagnostics checked = CheckCardFolder(out_, places);
  for (Diagnostic diagnostic : checked.All()) {
    diagnostic.file = SourceFileOf(diagnostic.file);
    if (diagnostic.severity == Severity::Error) {
      diagnostics_.Error(diagnostic.file, diagnostic.place, diagnostic.text);
    } else {
      diagnostics_.Warning(diagnostic.file, diagnostic.place, diagnostic.text);
    }
  }
}

// The source file the author edits for a file of the card folder, where there is one.
std::string Builder::SourceFileOf(const std::string& built) const {
  if (built == kLayoutFile) return "layout.txt";
  if (built == kMessageFile) return "message.txt";
  if (built == kMusicFile) return "music.mid";
  for (const SourcePicture& picture : pictures_) {
    if (picture.bitmap == built) return picture.file;
  }
  return built;
}

void Builder::CheckLooks(const std::vector<FrameGroup>& groups) {
  CheckFrameLooks(groups, diagnostics_);
  CheckPictureLooks(pictures_, layout_ ? &*layout_ : nullptr, diagnostics_);
  if (layout_) CheckLayoutLooks(*layout_, pictures_, message_, diagnostics_);
}

// What an earlier build left must not be checked as if this one had made it.
void RemoveOldOutputs(const fs::path& out) {
  std::error_code ignored;
  for (std::string_view name : {kFramesFile, kSoundsFile, kLayoutFile, kMessageFile, kMusicFile}) {
    fs::remove(out / name, ignored);
  }
}

Diagnostics Builder::Run() {
  std::error_code error;
  if (!fs::is_directory(source_)) {
    diagnostics_.Error(source_.string(), "", "there is no card source folder here.");
    return diagnostics_;
  }
  fs::create_directories(out_, error);
  if (!fs::is_directory(out_)) {
    diagnostics_.Error(out_.string(), "", "the card folder cannot be made: " + error.message());
    return diagnostics_;
  }
  RemoveOldOutputs(out_);
  BuildLayout();
  BuildMessage();
  const std::vector<ScriptEntry> scripts = ReadScriptEntries();
  const std::vector<FrameGroup> groups = ReadFrames();
  BuildAnimation(scripts, groups);
  BuildSounds();
  BuildPictures();
  CopyMusic();
  CopyFiles();
  CheckResult(scripts);
  CheckLooks(groups);
  return diagnostics_;
}

}  // namespace

Diagnostics BuildCard(const std::filesystem::path& source, const std::filesystem::path& out,
                      std::vector<std::string>* written) {
  Builder builder(source, out);
  Diagnostics diagnostics = builder.Run();
  if (written) *written = builder.Written();
  return diagnostics;
}

}  // namespace card::kit
