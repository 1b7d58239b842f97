// The sample card's character: a snowman in a top hat, red scarf and red boots, drawn from
// a pose. The body is three snowballs seen from the side or the front; the face, buttons,
// arms and scarf sit on those balls in three dimensions, so one model serves every turn
// of the head and every angle of a spin.
#pragma once

#include <vector>

#include "sample/art/scene.h"

namespace card::sample {

// A twig arm: where it points from its shoulder, in degrees. Elevation 0 is straight out
// to the side, 90 straight up, -90 straight down; swing turns it towards the face.
struct Arm {
  double elevation = -45;
  double swing = 0;
  bool inFront = false;  // drawn over the head and hat, for gestures across the face
  bool toHat = false;    // the hand holds the hat's brim, wherever the hat is
};

// A boot, placed in the frame: x from the body's axis, lift above the ground, toe angle.
struct Boot {
  double x = 0;
  double lift = 0;
  double toe = 0;
};

enum class Eyes { Open, Closed, Happy };
enum class Mouth { Smile, Open };

struct Pose {
  double yaw = 0;       // turn, degrees; positive shows more of his face to the viewer's right
  double tilt = 0;      // lean of the body about the boots, degrees clockwise
  double stretch = 1;   // height scale of the body; the width follows inversely, as with snow
  double bob = 0;       // lift of the body above the boots, pixels
  double bend = 0;      // the top two balls bending about the waist, degrees clockwise
  double headTilt = 0;  // degrees clockwise about the neck
  Arm left{-45, 0};     // the arm on the viewer's left when he faces the viewer
  Arm right{-45, 0};
  Boot leftBoot{-7};
  Boot rightBoot{7};
  Eyes eyes = Eyes::Open;
  double look = 0;  // sideways glance, pixels
  Mouth mouth = Mouth::Smile;
  double hatLift = 0;    // hat raised off the head, pixels
  double hatTilt = 0;    // degrees clockwise
  double scarfSway = 0;  // degrees the scarf's ends swing, clockwise
};

constexpr int kFrameSize = 96;
// The drawing is scaled down by this about the ground point, to leave headroom for stretches
// and a raised hat; poses give boot positions before the scaling.
constexpr double kModelScale = 0.86;

const std::vector<Colour>& SnowmanPalette();
Image DrawSnowman(const Pose& pose);

}  // namespace card::sample
