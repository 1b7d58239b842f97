// The snowman's animation frames: which pose each frame key shows, grouped by animation.
// The card's scripts name these keys.
#pragma once

#include <string>
#include <vector>

#include "sample/art/snowman.h"

namespace card::sample {

// How far the window moves per frame of the walk ("[6,0]" in the scripts): a planted boot
// slides back by as much, so it stays put on the ground.
constexpr double kWalkStep = 6;

struct SnowmanFrame {
  std::string animation;  // the frame folder: walk, wave, jump, bow, spin, idle
  int key;
  Pose pose;
};

std::vector<SnowmanFrame> SnowmanFrames();

}  // namespace card::sample
