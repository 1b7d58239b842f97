// Loading a card folder (see card_folder.h).
#include "card/card_folder.h"

#include "card/card_files.h"
#include "layout/layout_reader.h"
#include "message/message_file.h"

namespace card {

Result<LayoutFile> LoadLayout(const std::string& folder) {
  const std::optional<std::string> path = FindCardFile(folder, kLayoutFile);
  if (!path) return Fail(MissingFileMessage(folder, kLayoutFile));
  return ParseLayout(ReadLayoutText(*path), *path);
}

Result<std::unique_ptr<FasFile>> LoadFrames(const std::string& folder) {
  const std::optional<std::string> path = FindCardFile(folder, kFramesFile);
  if (!path) return Fail(MissingFileMessage(folder, kFramesFile));
  return FasFile::Open(*path);
}

std::optional<Result<std::unique_ptr<WasFile>>> LoadSounds(const std::string& folder) {
  const std::optional<std::string> path = FindCardFile(folder, kSoundsFile);
  if (!path) return std::nullopt;
  return WasFile::Open(*path);
}

CardMessage LoadMessage(const std::string& folder) {
  const std::optional<std::string> path = FindCardFile(folder, kMessageFile);
  return path ? ReadMessageFile(*path) : CardMessage{};
}

Result<CardFolder> LoadCardFolder(const std::string& folder) {
  Result<LayoutFile> layout = LoadLayout(folder);
  if (!layout) return Fail(layout.error());
  Result<std::unique_ptr<FasFile>> frames = LoadFrames(folder);
  if (!frames) return Fail(frames.error());
  CardFolder card{std::move(layout).value(), std::move(frames).value(), nullptr, "", {}};
  if (card.layout.settings.soundEffectsOn != 0) {
    if (auto sounds = LoadSounds(folder)) {
      if (*sounds) {
        card.sounds = std::move(*sounds).value();
      } else {
        card.soundsProblem = sounds->error();
      }
    }
  }
  card.message = LoadMessage(folder);
  return card;
}

}  // namespace card
