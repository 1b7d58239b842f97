// The card's pictures: a winter night over a snowfield that the message is written on, the
// moon waking up for its hot spot, and the snowman's head for the "Visit Us" button.
#include "sample/art/card_pictures.h"

#include <algorithm>
#include <cmath>

namespace card::sample {
namespace {

// The card palette. Snow is also the card's background colour, so snow in the picture and
// the message area underneath are one surface; gold stars and lit windows share a colour.
enum Ink {
  kSnow, kNavy, kSky, kSkyGlow, kFarHills, kSnowShade, kWhite, kMoon, kMoonShade, kGold,
  kPineDark, kPine, kPineLight, kTrunk, kRed, kRedDark, kWall, kWallShade, kWindow, kOrange,
  kPink, kKey
};
const std::vector<Colour> kPalette = {
    {240, 246, 255}, {24, 30, 62},    {22, 38, 88},    {40, 64, 128},   {128, 156, 210},
    {186, 204, 236}, {255, 255, 255}, {255, 240, 190}, {232, 200, 128}, kWindowLit,
    {22, 84, 64},    {40, 124, 84},   {78, 160, 104},  {104, 66, 40},   {196, 46, 52},
    {130, 28, 44},   {232, 200, 150}, {186, 142, 96},  kWindowGlass,    {250, 146, 40},
    {246, 150, 140}, {255, 0, 255},
};
const std::vector<Ramp> kRamps = {{kNavy, kSky, kSkyGlow, kFarHills, kSnowShade, kSnow, kWhite},
                                  {kNavy, kPineDark, kPine, kPineLight},
                                  {kNavy, kRedDark, kRed},
                                  {kNavy, kTrunk, kWallShade, kWall},
                                  {kNavy, kMoonShade, kMoon},
                                  {kSkyGlow, kMoonShade, kMoon}};

constexpr double kHorizon = 104;
constexpr Vec2 kMoonCentre{548, 50};
constexpr double kMoonRadius = 27;

Shape Rectangle(double x0, double y0, double x1, double y1) {
  return Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// A snowy pine: three tiers, each with snow resting on its lower edge.
void Pine(Scene& s, Vec2 base, double height, double width) {
  s.Outlined(
      Rectangle(base.x - width * 0.07, base.y - height * 0.16, base.x + width * 0.07, base.y),
      kTrunk, kNavy, 1);
  for (int tier = 0; tier < 3; ++tier) {
    const double bottom = base.y - height * (0.12 + 0.27 * tier);
    const double top = bottom - height * (0.48 - 0.05 * tier);
    const double half = width * (0.5 - 0.13 * tier);
    const Shape body = Polygon({{base.x, top},
                                {base.x + half, bottom},
                                {base.x + half * 0.3, bottom - height * 0.03},
                                {base.x, bottom + height * 0.015},
                                {base.x - half * 0.3, bottom - height * 0.03},
                                {base.x - half, bottom}});
    s.Outlined(body, kPine, kNavy, 1);
    s.Fill(
        Intersection(
            body,
            Polygon({{base.x, top}, {base.x + half * 1.2, bottom + 2}, {base.x + 1, bottom + 2}})),
        kPineDark);
    s.Fill(Intersection(body, Polygon({{base.x, top},
                                       {base.x - half * 0.35, bottom},
                                       {base.x - half * 0.75, bottom}})),
           kPineLight);
    // Snow along the tier's lower edge.
    const Shape snow = Stroke({{base.x - half * 0.95, bottom - 1},
                               {base.x - half * 0.3, bottom - height * 0.04},
                               {base.x + half * 0.3, bottom - height * 0.04},
                               {base.x + half * 0.95, bottom - 1}},
                              std::max(1.6, width * 0.035));
    s.Outlined(Intersection(snow, Grown(body, 1.5)), kSnow, kNavy, 0.8);
  }
  s.Outlined(Polygon({{base.x, base.y - height * 1.0},
                      {base.x + width * 0.08, base.y - height * 0.9},
                      {base.x - width * 0.08, base.y - height * 0.9}}),
             kSnow, kNavy, 0.8);
}

void Star(Scene& s, Vec2 c, double r) {
  s.Fill(Polygon({{c.x, c.y - r},
                  {c.x + r * 0.25, c.y - r * 0.25},
                  {c.x + r, c.y},
                  {c.x + r * 0.25, c.y + r * 0.25},
                  {c.x, c.y + r},
                  {c.x - r * 0.25, c.y + r * 0.25},
                  {c.x - r, c.y},
                  {c.x - r * 0.25, c.y - r * 0.25}}),
         kGold);
}

void Snowflake(Scene& s, Vec2 c, double r) {
  for (int arm = 0; arm < 3; ++arm) {
    const Vec2 d = Polar({0, 0}, r, 30 + 60 * arm);
    s.Fill(Capsule(c - d, c + d, 0.55), kWhite);
  }
}

void Moon(Scene& s, bool awake) {
  const Vec2 c = kMoonCentre;
  s.Fill(Circle(c, kMoonRadius + 6), kSkyGlow);
  const Shape disc = Circle(c, kMoonRadius);
  const Shape crescent = Difference(disc, Circle(c + Vec2{-15, -9}, kMoonRadius * 0.92));
  s.Outlined(crescent, kMoon, kNavy, 1.2);
  s.Fill(Intersection(crescent, Difference(disc, Circle(c + Vec2{-6, -5}, kMoonRadius * 0.98))),
         kMoonShade);
  if (!awake) return;
  // A sleepy, happy face along the inner edge, facing into the sky, and a twinkle.
  const Vec2 inner = c + Vec2{-15, -9};
  const Vec2 eye = Polar(inner, 29.5, -2);
  s.Fill(Stroke(Arc(eye, 3.4, 2.4, 200, 340, 8), 0.9), kNavy);
  s.Fill(Ellipse(Polar(inner, 33, 24), 3.2, 2.0, 30), kPink);
  s.Fill(Stroke({Polar(inner, 28.2, 36), Polar(inner, 29.6, 46), Polar(inner, 29.2, 56)}, 0.9),
         kNavy);
  Star(s, c + Vec2{-22, 18}, 7);
  Star(s, c + Vec2{-30, -6}, 4);
}

void Cottage(Scene& s) {
  // Smoke from the chimney first, behind it.
  s.Fill(Circle({143, 30}, 4.5), kSnowShade);
  s.Fill(Circle({149, 21}, 5.5), kSnowShade);
  s.Fill(Circle({158, 13}, 6), kSnowShade);
  s.Outlined(Rectangle(134, 36, 146, 62), kRed, kNavy, 1.2);
  s.Outlined(Rectangle(132, 33, 148, 38), kSnow, kNavy, 1);
  s.Outlined(Rectangle(82, 66, 158, 108), kWall, kNavy, 1.2);
  for (double y = 73; y < 108; y += 7) s.Fill(Capsule({83, y}, {157, y}, 0.45), kWallShade);
  const Shape roof = Polygon({{74, 70}, {120, 38}, {166, 70}});
  s.Outlined(roof, kRed, kNavy, 1.2);
  s.Fill(Intersection(roof, Rectangle(120, 30, 170, 72)), kRedDark);
  s.Outlined(Intersection(Grown(Stroke({{73, 69}, {120, 37}, {167, 69}}, 3.5), 0), Grown(roof, 3)),
             kSnow, kNavy, 1);
  // Two windows whose glass is the window colour and nothing else: hovering lights them.
  for (double x : {92.0, 134.0}) {
    s.Outlined(Rectangle(x, 78, x + 16, 94), kWindow, kNavy, 1.4);
    s.Fill(Capsule({x + 8, 78}, {x + 8, 94}, 0.8), kWallShade);
    s.Fill(Capsule({x, 86}, {x + 16, 86}, 0.8), kWallShade);
    s.Outlined(Rectangle(x - 2, 94, x + 18, 97), kSnow, kNavy, 0.8);
  }
  s.Outlined(Rectangle(113, 84, 127, 108), kTrunk, kNavy, 1.2);
  s.Fill(Circle({124, 97}, 1.2), kGold);
}

}  // namespace

Image DrawCardBack() {
  Scene s;
  s.Fill(Rectangle(0, 0, kCardWidth, kCardHeight), kSnow);
  const Shape inside = RoundedBox({kCardWidth / 2.0, kCardHeight / 2.0},
                                  {kCardWidth / 2.0 - 6, kCardHeight / 2.0 - 6}, 14);
  s.Outlined(inside, kSnow, kNavy, 2);
  const Shape sky = Intersection(inside, Rectangle(0, 0, kCardWidth, kHorizon + 12));
  s.Fill(sky, kSky);
  s.Fill(Intersection(sky, Ellipse({315, kHorizon + 30}, 420, 70)), kSkyGlow);

  const int stars[][3] = {{40, 26, 5},  {205, 20, 4}, {262, 48, 3}, {318, 18, 5},
                          {372, 40, 3}, {430, 22, 4}, {470, 58, 3}, {28, 60, 3},
                          {176, 52, 3}, {600, 92, 3}, {236, 80, 2}, {345, 72, 2}};
  for (const auto& st : stars) Star(s, {double(st[0]), double(st[1])}, st[2]);
  const int flakes[][2] = {{60, 44},  {110, 16}, {232, 34}, {290, 30}, {400, 64}, {455, 40},
                           {500, 84}, {604, 24}, {24, 88},  {340, 50}, {188, 86}, {585, 72}};
  for (const auto& f : flakes) Snowflake(s, {double(f[0]), double(f[1])}, 2.6);
  Moon(s, false);

  // Far hills in blue shade, then the near snowfield that runs on under the message.
  s.Fill(Intersection(inside, Polygon({{0, 98},
                                       {70, 80},
                                       {160, 90},
                                       {250, 74},
                                       {360, 92},
                                       {450, 78},
                                       {540, 96},
                                       {630, 84},
                                       {630, 140},
                                       {0, 140}})),
         kFarHills);
  const Shape near = Intersection(inside, Polygon({{0, 112},
                                                   {90, 102},
                                                   {200, 110},
                                                   {330, 100},
                                                   {470, 112},
                                                   {560, 104},
                                                   {630, 110},
                                                   {630, 430},
                                                   {0, 430}}));
  s.Fill(near, kSnow);
  s.Fill(
      Intersection(
          near,
          Stroke({{0, 113}, {90, 103}, {200, 111}, {330, 101}, {470, 113}, {560, 105}, {630, 111}},
                 1.2)),
      kSnowShade);
  Cottage(s);
  Pine(s, {44, 110}, 62, 36);
  Pine(s, {186, 112}, 50, 30);
  Pine(s, {212, 114}, 36, 24);
  Pine(s, {420, 110}, 56, 34);
  Pine(s, {452, 113}, 40, 26);

  // Pines and drifts in the margins beside and below the message.
  Pine(s, {21, 356}, 120, 32);
  Pine(s, {609, 356}, 120, 32);
  for (double x : {60.0, 200.0, 340.0, 480.0})
    s.Fill(Intersection(inside, Ellipse({x + 40, 357}, 60, 4)), kSnowShade);
  s.Fill(Intersection(inside, Stroke({{10, 424}, {630, 424}}, 1.5)), kSnowShade);
  s.Outlined(Difference(Grown(inside, 0), Grown(inside, -1)), kNavy, kNavy, 1);
  return s.Render(kCardWidth, kCardHeight, kPalette, kRamps);
}

// Drawn over the moon's hot spot: the same moon, awake.
Image DrawMoonAwake() {
  Scene s;
  const int size = kMoonHotSpot.right - kMoonHotSpot.left;
  s.Fill(Rectangle(0, 0, size, size), kKey);
  s.Push(Affine::Translate({-double(kMoonHotSpot.left), -double(kMoonHotSpot.top)}));
  Moon(s, true);
  s.Pop();
  return s.Render(size, size, kPalette, kRamps);
}

// The snowman's head in a round badge.
Image DrawLogo() {
  Scene s;
  s.Fill(Rectangle(0, 0, kLogoSize, kLogoSize), kKey);
  const Vec2 c{20, 20};
  s.Outlined(Circle(c, 18.5), kFarHills, kGold, 1.4);
  s.Fill(Difference(Circle(c, 18.5), Circle(c + Vec2{-3, -3}, 18.5)), kSkyGlow);
  const Shape head = Circle({20, 25}, 9.5);
  s.Outlined(head, kWhite, kNavy, 1);
  s.Fill(Difference(head, Circle({18, 23}, 9.6)), kSnowShade);
  s.Fill(Ellipse({16.5, 23.5}, 1.3, 1.8), kNavy);
  s.Fill(Ellipse({23.5, 23.5}, 1.3, 1.8), kNavy);
  s.Outlined(Polygon({{19.5, 26}, {27, 28.5}, {19.5, 29}}), kOrange, kNavy, 0.7);
  s.Fill(Stroke(Arc({20, 28.5}, 4.5, 3.5, 30, 150, 6), 0.6), kNavy);
  s.Outlined(Ellipse({20, 16}, 11, 2.4), kNavy, kNavy, 0.5);
  s.Outlined(Rectangle(14, 5, 26, 16), kNavy, kNavy, 0.5);
  s.Fill(Rectangle(14.5, 12, 25.5, 14.5), kRed);
  return s.Render(kLogoSize, kLogoSize, kPalette, kRamps);
}

const std::vector<Colour>& CardPalette() { return kPalette; }

}  // namespace card::sample
