// The frame the figure window composes for each request, over runs of requests.
#include "animation/canvas/frame_choice.h"

#include <gtest/gtest.h>

#include <vector>

namespace card {
namespace {

std::vector<std::int32_t> Composed(const std::vector<std::int32_t>& requests) {
  std::vector<std::int32_t> composed;
  std::int32_t shownLast = kNoFrameShownId;
  for (std::int32_t request : requests) {
    shownLast = FrameToCompose(shownLast, request);
    composed.push_back(shownLast);
  }
  return composed;
}

TEST(FrameToCompose, RepeatsTheLastFrameAndAlternatesRunsOfMinusTwo) {
  const struct {
    const char* what;
    std::vector<std::int32_t> requests, composed;
  } cases[] = {
      {"plain frames", {3, 7, 7}, {3, 7, 7}},
      {"-1 before any frame", {-1, 4}, {-5, 4}},
      {"-1 repeats", {5, -1, -1}, {5, 5, 5}},
      {"a run of -2", {-2, -2, -2, -2}, {-2, 912, -2, 912}},
      {"-1 after -2", {-2, -1, -1}, {-2, 912, 912}},
      {"-2 after another frame", {6, -2, 6, -2}, {6, -2, 6, -2}},
  };
  for (const auto& c : cases) EXPECT_EQ(Composed(c.requests), c.composed) << c.what;
}

}  // namespace
}  // namespace card
