// Preview rendering: the simulation's events are folded into the picture of each tick.
#include "tools/cardkit/preview_renderer.h"

#include "animation/fas/fas_file.h"
#include "card/card_folder.h"
#include "shell/card_window_layout.h"
#include "tools/cardkit/card_simulation.h"
#include "tools/cardkit/frame_drawing.h"
#include "tools/cardkit/gif_writer.h"

#include <memory>
#include <optional>

namespace card::kit {
namespace {

constexpr int kTickCentiseconds = 10;

// Turns the events of each tick into that tick's picture.
class TickPainter {
 public:
  TickPainter(const FasFile& fas, const PreviewOptions& options)
      : fas_(fas), options_(options), gif_(options.width, options.height) {}

  void On(const SimulationEvent& event) {
    if (event.tick != tick_) Paint();
    tick_ = event.tick;
    if (event.kind == SimulationEvent::Kind::Frame) {
      frameId_ = event.frameId;
      at_ = event.topLeft;
    } else if (event.kind == SimulationEvent::Kind::Error) {
      messages_.push_back("tick " + std::to_string(event.tick) + ": " + event.text);
    }
  }

  Result<Preview> Finish() {
    Paint();
    if (!failure_.empty()) return Fail(failure_);
    auto gif = gif_.Finish();
    if (!gif) return Fail(gif.error());
    return Preview{std::move(*gif), tick_, std::move(messages_)};
  }

 private:
  const DecodedFrame* Frame(std::int32_t frameId) {
    const std::uint16_t key = fas_.FrameKey(fas_.FrameIndex(frameId));
    auto found = decoded_.find(key);
    if (found != decoded_.end()) return &found->second;
    auto frame = DecodeFrame(fas_, key);
    if (!frame) {
      failure_ = frame.error();
      return nullptr;
    }
    return &decoded_.emplace(key, std::move(*frame)).first->second;
  }

  // The picture at the end of the tick that has just passed; nothing before the first tick.
  void Paint() {
    if (tick_ == 0 || !failure_.empty()) return;
    RgbImage picture{options_.width, options_.height,
                     std::vector<Rgb>(static_cast<std::size_t>(options_.width) * options_.height,
                                      options_.backdrop)};
    if (frameId_) {
      const DecodedFrame* frame = Frame(*frameId_);
      if (!frame) return;
      DrawFrame(*frame, picture, at_.x, at_.y);
    }
    gif_.AddFrame(picture, kTickCentiseconds);
  }

  const FasFile& fas_;
  const PreviewOptions& options_;
  GifWriter gif_;
  std::map<std::uint16_t, DecodedFrame> decoded_;
  std::int32_t tick_ = 0;
  std::optional<std::int32_t> frameId_;  // none until the first frame is shown
  Point at_;
  std::vector<std::string> messages_;
  std::string failure_;
};

}  // namespace

std::map<int, Rect> PreviewOptions::DefaultCardControls() {
  std::map<int, Rect> controls;
  for (const ControlPlace& place : kCardControlPlaces) controls[place.id] = place.rect;
  return controls;
}

Result<Preview> RenderPreview(const std::filesystem::path& folder, const PreviewOptions& options) {
  if (options.width <= 0 || options.height <= 0 || options.width > 4096 || options.height > 4096) {
    return Fail("The backdrop must be between 1 x 1 and 4096 x 4096 pixels.");
  }
  auto card = LoadCardFolder(folder.string());
  if (!card) return Fail(card.error());
  if (!card->soundsProblem.empty()) return Fail(card->soundsProblem);

  SimulatedDesktop desktop;
  desktop.windowAt = options.windowAt;
  desktop.workArea = {0, 0, options.width, options.height};
  desktop.controls = options.controls;
  TickPainter painter(*card->frames, options);
  SimulateCard(*card, desktop, options.script, options.ticks, 1,
               [&painter](const SimulationEvent& event) { painter.On(event); });
  return painter.Finish();
}

}  // namespace card::kit
