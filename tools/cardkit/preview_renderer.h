// `cardkit preview`: plays a card folder's script through the card's own player with a
// simulated host and draws every tenth of a second as a GIF frame: the figure, with its
// transparency, over a plain backdrop standing for the desktop, moving as the window moves.
#pragma once

#include "common/geometry.h"
#include "common/result.h"
#include "tools/cardkit/rgba_image.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace card::kit {

struct PreviewOptions {
  int width = 800;  // the backdrop, which is also the desktop's work area
  int height = 600;
  Rgb backdrop{58, 110, 165};
  Point windowAt;             // the figure window's top-left at the start
  std::int32_t ticks = 1200;  // at most two minutes
  std::string script = "do";
  // The card window's controls for bounds that refer to them, in its client coordinates.
  std::map<int, Rect> controls = DefaultCardControls();

  // The controls of the card window as it is laid out (shell/card_window_layout.h).
  static std::map<int, Rect> DefaultCardControls();
};

struct Preview {
  std::vector<std::uint8_t> gif;
  std::int32_t ticks = 0;             // tenths of a second the run lasted (or was cut off at)
  std::vector<std::string> messages;  // message boxes the run would have shown, with their tick
};

// Plays one run of `options.script` and renders it. Fails, naming the file, when the card
// folder lacks what the run needs or a frame cannot be drawn.
Result<Preview> RenderPreview(const std::filesystem::path& folder, const PreviewOptions& options);

}  // namespace card::kit
