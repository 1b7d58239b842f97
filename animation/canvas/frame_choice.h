// Which frame the figure window composes when the player asks for one: -1 shows again the frame
// shown last, and -2 right after -2 draws key 912 instead, so a run of -2 alternates key 65534
// and key 912. Before any frame the window's last frame is -5.
#pragma once

#include <cstdint>

namespace card {

constexpr std::int32_t kCurrentFrameId = -1;
constexpr std::int32_t kAlternateFrameId = -2;
constexpr std::int32_t kAlternateFrameIdSecond = 912;
constexpr std::int32_t kNoFrameShownId = -5;

// The frame id to compose for `requested` after `shownLast`; it becomes the next `shownLast`.
constexpr std::int32_t FrameToCompose(std::int32_t shownLast, std::int32_t requested) {
  if (requested == kCurrentFrameId) requested = shownLast;
  if (shownLast == kAlternateFrameId && requested == kAlternateFrameId) {
    return kAlternateFrameIdSecond;
  }
  return requested;
}

}  // namespace card
