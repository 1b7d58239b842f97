// The poses of the snowman's frames: walk 1-8, wave 11-16, jump 21-27, bow 31-38,
// spin 41-48 and standing 51-56.
#include "sample/art/snowman_frames.h"

#include <cmath>

namespace card::sample {
namespace {

// One frame of the walk: phase 0..1 of a stride pair, facing right as he walks.
Pose Walk(double phase) {
  const double turn = 2 * kPi * phase;
  // Each boot is planted for half the cycle and slides back exactly as fast as the window
  // moves on, so it stays put on the ground; then it swings forward through the air. The
  // other boot does the same half a cycle later.
  const double stride = 4 * kWalkStep / kModelScale;
  const auto boot = [stride](double p, double depth) {
    p -= std::floor(p);
    Boot b;
    if (p < 0.5) {
      b.x = stride / 2 - 2 * stride * p;
    } else {
      const double swing = (p - 0.5) / 0.5;
      b.x = -stride / 2 + stride * swing;
      b.lift = 4.5 * std::sin(kPi * swing);
      b.toe = 18 * std::sin(kPi * swing);
    }
    b.lift += depth;
    return b;
  };
  Pose pose;
  pose.yaw = 30;
  pose.leftBoot = boot(phase, 0);
  pose.rightBoot = boot(phase + 0.5, 1.5);
  pose.bob = 1.6 * std::abs(std::sin(turn));
  pose.stretch = 0.97 + 0.05 * std::abs(std::sin(turn));
  pose.tilt = 3 + 4 * std::sin(turn);
  pose.headTilt = -2.5 * std::sin(turn);
  pose.left = {-50, 25 * std::sin(turn)};
  pose.right = {-50, -25 * std::sin(turn)};
  pose.scarfSway = 14 + 7 * std::sin(2 * turn);
  pose.look = 1;
  return pose;
}

Pose Wave(int i) {
  const double turn = 2 * kPi * i / 6;
  Pose pose;
  // He waves with the arm on the viewer's left, clear of his scarf's ends.
  pose.left = {55 + 22 * std::sin(turn), 0};
  pose.right = {-50, 0};
  pose.tilt = 1.5 - 1.5 * std::sin(turn);
  pose.headTilt = -5 * std::sin(turn);
  pose.mouth = Mouth::Open;
  pose.eyes = (i == 2 || i == 3) ? Eyes::Happy : Eyes::Open;
  return pose;
}

Pose Jump(int i) {
  Pose pose;
  pose.mouth = Mouth::Open;
  switch (i) {
    case 0:  // gathering himself
      pose.stretch = 0.86, pose.left = pose.right = {-70, -25}, pose.mouth = Mouth::Smile;
      break;
    case 1:  // launch
      pose.stretch = 1.06, pose.left = pose.right = {40, 5}, pose.eyes = Eyes::Happy;
      pose.leftBoot.lift = pose.rightBoot.lift = 2, pose.leftBoot.toe = pose.rightBoot.toe = -10;
      break;
    case 2:  // rising
      pose.stretch = 1.04, pose.left = pose.right = {68, 5}, pose.eyes = Eyes::Happy;
      pose.leftBoot = {-6, 4, -15}, pose.rightBoot = {6, 4, -15};
      break;
    case 3:  // the top
      pose.left = pose.right = {28, 10}, pose.eyes = Eyes::Happy, pose.scarfSway = -6;
      pose.leftBoot = {-8, 3, -5}, pose.rightBoot = {8, 3, -5};
      break;
    case 4:  // falling
      pose.stretch = 1.04, pose.left = pose.right = {55, 0}, pose.scarfSway = -14;
      pose.leftBoot.lift = pose.rightBoot.lift = 1;
      break;
    case 5:  // landing
      pose.stretch = 0.84, pose.left = pose.right = {-15, 0}, pose.eyes = Eyes::Closed,
      pose.mouth = Mouth::Smile;
      pose.leftBoot.x = -8, pose.rightBoot.x = 8;
      break;
    default:  // settling back
      pose.stretch = 0.96, pose.left = pose.right = {-38, 0}, pose.mouth = Mouth::Smile;
      break;
  }
  return pose;
}

// Tipping his hat with a bow, turned a little to the viewer's left.
Pose Bow(int i) {
  Pose pose;
  pose.yaw = -35;
  pose.left = {-60, 40};
  const Arm holdingHat{0, 0, true, true};
  switch (i) {
    case 0:  // reaching for the hat
      pose.right = {40, 0, true};
      break;
    case 1:  // hand on the brim
      pose.right = holdingHat;
      break;
    case 2:  // hat raised
      pose.right = holdingHat, pose.hatLift = 5, pose.hatTilt = -12, pose.eyes = Eyes::Happy;
      break;
    case 3:  // bowing
      pose.right = holdingHat, pose.hatLift = 6, pose.hatTilt = -20, pose.eyes = Eyes::Closed;
      pose.bend = -16, pose.headTilt = -5;
      break;
    case 4:  // the deep bow, held
      pose.right = holdingHat, pose.hatLift = 6, pose.hatTilt = -24, pose.eyes = Eyes::Closed;
      pose.bend = -28, pose.headTilt = -8, pose.scarfSway = -12;
      break;
    case 5:  // rising again
      pose.right = holdingHat, pose.hatLift = 5, pose.hatTilt = -10, pose.eyes = Eyes::Happy;
      pose.bend = -10;
      break;
    case 6:  // hat back on
      pose.right = holdingHat, pose.eyes = Eyes::Happy, pose.mouth = Mouth::Open;
      break;
    default:
      pose.right = {-45, 0}, pose.left = {-45, 0}, pose.eyes = Eyes::Happy,
      pose.mouth = Mouth::Open;
      break;
  }
  return pose;
}

Pose Spin(int i) {
  Pose pose;
  pose.yaw = i * 45;
  pose.left = pose.right = {12, 0};
  const double s = std::cos(Radians(pose.yaw));
  pose.leftBoot.x = -7 * s;
  pose.rightBoot.x = 7 * s;
  pose.eyes = Eyes::Happy;
  pose.mouth = Mouth::Open;
  pose.scarfSway = 28;
  return pose;
}

Pose Idle(int i) {
  Pose pose;
  switch (i) {
    case 1:  // blink
      pose.eyes = Eyes::Closed;
      break;
    case 2:  // looking to his right
      pose.yaw = -15, pose.look = -1.5, pose.headTilt = -3;
      break;
    case 3:  // looking to his left
      pose.yaw = 15, pose.look = 1.5, pose.headTilt = 3;
      break;
    case 4:  // hooray
      pose.left = pose.right = {55, 12}, pose.eyes = Eyes::Happy, pose.mouth = Mouth::Open;
      break;
    case 5:  // content
      pose.left = pose.right = {-32, 8}, pose.eyes = Eyes::Happy;
      break;
    default:
      break;
  }
  return pose;
}

}  // namespace

std::vector<SnowmanFrame> SnowmanFrames() {
  std::vector<SnowmanFrame> frames;
  for (int i = 0; i < 8; ++i) frames.push_back({"walk", 1 + i, Walk(i / 8.0)});
  for (int i = 0; i < 6; ++i) frames.push_back({"wave", 11 + i, Wave(i)});
  for (int i = 0; i < 7; ++i) frames.push_back({"jump", 21 + i, Jump(i)});
  for (int i = 0; i < 8; ++i) frames.push_back({"bow", 31 + i, Bow(i)});
  for (int i = 0; i < 8; ++i) frames.push_back({"spin", 41 + i, Spin(i)});
  for (int i = 0; i < 6; ++i) frames.push_back({"idle", 51 + i, Idle(i)});
  return frames;
}

}  // namespace card::sample
