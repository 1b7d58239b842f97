// Opening and playing a card in a browser page (see web_card.h).
#include "web/web_card.h"

#include "animation/fas/frame_decoder.h"
#include "animation/player/fas_scripts.h"
#include "card/card_files.h"
#include "content/card_file_types.h"
#include "content/content_file_names.h"
#include "shell/visit_target.h"
#include "web/page_message.h"

#include <string_view>

namespace card {
namespace {

// A frame as the page draws it: transparent where the card's two passes keep the background,
// elsewhere the colour the image pass gives.
RgbaPicture FramePicture(const DecodedFrame& frame) {
  RgbaPicture picture{frame.width, frame.height, {}};
  picture.rgba.reserve(static_cast<std::size_t>(frame.width) * frame.height * 4);
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      const auto& colour = frame.image[static_cast<std::size_t>(y) * frame.width + x];
      const bool transparent = frame.IsTransparentAt(x, y);
      picture.rgba.insert(picture.rgba.end(),
                          {colour.r, colour.g, colour.b, std::uint8_t(transparent ? 0 : 255)});
    }
  }
  return picture;
}

// The key a file is kept by: its card file name in lower case, as the card folder's rule
// matches names without regard to ASCII case.
std::optional<std::string> FileKey(std::string_view name) {
  std::optional<std::string> key = CardFileName(name);
  if (!key) return std::nullopt;
  for (char& c : *key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

}  // namespace

void WebCard::AddFile(std::string_view name, std::vector<std::uint8_t> bytes) {
  if (std::optional<std::string> key = FileKey(name)) files_[std::move(*key)] = std::move(bytes);
}

std::optional<ByteView> WebCard::File(std::string_view name) const {
  const std::optional<std::string> key = FileKey(name);
  if (!key) return std::nullopt;
  const auto found = files_.find(*key);
  if (found == files_.end()) return std::nullopt;
  return ByteView(found->second);
}

Status WebCard::Open() {
  const std::optional<ByteView> layoutBytes = File(std::string(kLayoutFile));
  if (!layoutBytes) return Fail("This card's Layout.txt is missing.");
  auto layout = ParseLayout(
      std::string_view(reinterpret_cast<const char*>(layoutBytes->data()), layoutBytes->size()),
      kLayoutFile);
  if (!layout) return Failure{layout.error()};
  layout_ = std::move(layout).value();

  const std::optional<ByteView> framesBytes = File(std::string(kFramesFile));
  if (!framesBytes) return Fail("This card's Card.FAS is missing.");
  auto frames = FasFile::FromBytes(*framesBytes, std::string(kFramesFile));
  if (!frames) return Failure{frames.error()};
  frames_ = std::move(frames).value();
  for (std::uint32_t i = 0; i < frames_->FrameCount(); ++i) {
    auto frame = DecodeFrame(*frames_, frames_->FrameKey(i));
    if (!frame) return Failure{frame.error()};
    framePictures_.push_back(FramePicture(*frame));
  }

  // A damaged sound bank is left out, as a missing one is: the card plays without sounds.
  const std::optional<ByteView> soundBytes = File(std::string(kSoundsFile));
  if (layout_.settings.soundEffectsOn != 0 && soundBytes) {
    auto sounds = WasFile::FromBytes(*soundBytes, std::string(kSoundsFile));
    if (sounds) sounds_ = std::move(sounds).value();
  }
  if (const std::optional<ByteView> messageBytes = File(std::string(kMessageFile))) {
    message_ = DecodePageMessage(*messageBytes);
  }

  host_ = std::make_unique<BrowserHost>(*frames_, sounds_.get());
  player_ = std::make_unique<ScriptPlayer>(*host_, ScriptsOf(*frames_), frames_->Width(),
                                           frames_->Height());
  surface_ = std::make_unique<WebCardSurface>(
      layout_, [this](const std::string& name) { return File(name); });
  return {};
}

void WebCard::Start() { player_->Start("do"); }

bool WebCard::Step(std::int32_t nowTenths, const Rect& workArea) {
  host_->BeginTick(nowTenths, workArea);
  const bool goesOn = player_->Step();
  host_->EndTick(goesOn);
  for (int failed = host_->TakeFailedSounds(); failed > 0; --failed) player_->OnSoundDone();
  return goesOn;
}

void WebCard::Skip() {
  player_->EndRun();
  host_->EndTick(false);
}

void WebCard::SoundDone() { player_->OnSoundDone(); }

WebCard::Target WebCard::TargetOf(const std::string& text) const {
  CardTarget target = ClassifyTarget(text);
  if (target.kind == CardTarget::Kind::Address) {
    return {target.kind, std::move(target.text), std::nullopt, {}};
  }
  if (target.kind == CardTarget::Kind::CardFile) {
    // A file the card does not carry opens nothing, as on Windows.
    if (const std::optional<ByteView> file = File(target.text)) {
      return {target.kind, target.text, file, MediaTypeOf(target.text)};
    }
  }
  return {};
}

WebCard::Target WebCard::HotSpotTarget(std::size_t index) const {
  return TargetOf(surface_->Spot(index).target);
}

WebCard::Target WebCard::VisitTarget() const {
  return TargetOf(card::VisitTarget(File(kLocalVisitPage).has_value()));
}

}  // namespace card
