// A card folder loaded as the card plays it: the parsed layout, the mapped frames, the sound
// bank when the layout turns sound effects on, and the message. card.exe loads its current
// folder, cardkit's commands the folder they are given, so both see the same files and words.
#pragma once

#include "animation/fas/fas_file.h"
#include "common/result.h"
#include "layout/layout_file.h"
#include "message/card_message.h"
#include "sound/was_file.h"

#include <memory>
#include <optional>
#include <string>

namespace card {

struct CardFolder {
  LayoutFile layout;
  std::unique_ptr<FasFile> frames;
  // Card.WAS when sound effects are on and it opened; null otherwise, and then the card plays
  // without sound effects. `soundsProblem` says why a Card.WAS that is there did not open.
  std::unique_ptr<WasFile> sounds;
  std::string soundsProblem;
  CardMessage message;  // empty and left-aligned when there is no msg.txt
};

// Loads `folder` ("" for the current folder). Fails with one sentence when Layout.txt or
// Card.FAS is missing (MissingFileMessage) or damaged (the reader's own sentence).
Result<CardFolder> LoadCardFolder(const std::string& folder);

// The parts of a load, for the commands that report on each file by itself.
Result<LayoutFile> LoadLayout(const std::string& folder);
Result<std::unique_ptr<FasFile>> LoadFrames(const std::string& folder);
// Nothing when the folder has no Card.WAS.
std::optional<Result<std::unique_ptr<WasFile>>> LoadSounds(const std::string& folder);
CardMessage LoadMessage(const std::string& folder);

}  // namespace card
