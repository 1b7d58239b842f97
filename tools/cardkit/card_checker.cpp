// The card folder check: each content file in turn, then the scripts against the frames and
// the sound bank.
#include "tools/cardkit/card_checker.h"

#include "animation/fas/fas_file.h"
#include "card/card_files.h"
#include "message/card_message.h"
#include "sound/was_file.h"
#include "tools/cardkit/file_io.h"
#include "animation/fas/frame_decoder.h"
#include "tools/cardkit/layout_checker.h"
#include "tools/cardkit/message_rules.h"
#include "tools/cardkit/script_checker.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace card::kit {
namespace {

const std::string kFas(kFramesFile);
const std::string kWas(kSoundsFile);
const std::string kMessage(kMessageFile);

// The bytes of the card folder's file `name`; nothing when it is not there or cannot be read.
std::optional<std::vector<std::uint8_t>> ReadCardFile(const std::filesystem::path& folder,
                                                      std::string_view name) {
  const auto path = FindCardFile(folder.string(), name);
  if (!path) return std::nullopt;
  auto bytes = ReadWholeFile(*path);
  if (!bytes) return std::nullopt;
  return std::move(bytes).value();
}

void CheckMessage(const std::filesystem::path& folder, Diagnostics& out) {
  auto bytes = ReadCardFile(folder, kMessageFile);
  if (!bytes) {
    out.Warning(kMessage, "", "there is no msg.txt, so the card shows no message.");
    return;
  }
  for (const std::string& problem : MessageFileProblems(*bytes)) out.Error(kMessage, "", problem);
  const CardMessage message = DecodeMessage(*bytes);
  // Every CR and every LF should be part of a CR LF pair.
  const std::string& text = message.text;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pairedCr = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    const bool pairedLf = text[i] == '\n' && i > 0 && text[i - 1] == '\r';
    if ((text[i] == '\r' && !pairedCr) || (text[i] == '\n' && !pairedLf)) {
      out.Warning(kMessage, "",
                  "some lines end without CR LF, which the card does not show as a line break.");
      break;
    }
  }
}

void CheckFrames(const FasFile& fas, Diagnostics& out) {
  for (std::uint32_t i = 0; i < fas.FrameCount(); ++i) {
    auto frame = DecodeFrame(fas, fas.FrameKey(i));
    if (!frame) out.ErrorFromMessage(kFas, frame.error());
  }
}

void CheckBank(const WasFile& bank, Diagnostics& out) {
  const NameDirectory& sounds = bank.Sounds();
  for (std::size_t i = 0; i < sounds.Count(); ++i) {
    const std::string name(sounds.Name(i));
    if (name != SoundNameKey(name)) {
      out.Error(kWas, "sound \"" + name + "\"",
                "it has lower-case letters, so no script can find it.");
    }
  }
  for (std::size_t i = 1; i < sounds.Count(); ++i) {
    if (CompareNames(sounds.Name(i - 1), sounds.Name(i)) >= 0) {
      out.Error(kWas, "", "the sound names are not in order, so some cannot be found.");
      break;
    }
  }
}

}  // namespace

Diagnostics CheckCardFolder(const std::filesystem::path& folder, const ScriptPlaces& places) {
  Diagnostics out;
  CheckLayoutFolder(folder, out);
  CheckMessage(folder, out);

  auto wasBytes = ReadCardFile(folder, kSoundsFile);
  std::unique_ptr<WasFile> bank;
  if (wasBytes) {
    auto opened = WasFile::FromBytes(*wasBytes, kWas);
    if (opened) {
      bank = std::move(*opened);
      CheckBank(*bank, out);
    } else {
      out.ErrorFromMessage(kWas, opened.error());
    }
  }

  auto fasBytes = ReadCardFile(folder, kFramesFile);
  if (!fasBytes) {
    out.Error(kFas, "", "there is no Card.FAS; the card has nothing to animate.");
    return out;
  }
  auto fas = FasFile::FromBytes(*fasBytes, kFas);
  if (!fas) {
    out.ErrorFromMessage(kFas, fas.error());
    return out;
  }
  CheckFrames(**fas, out);
  CheckScripts(**fas, bank.get(), out, places);
  return out;
}

}  // namespace card::kit
