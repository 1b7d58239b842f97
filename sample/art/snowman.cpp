// Drawing of the snowman. Frame coordinates: 96 x 96 pixels, y downwards, the body's axis at
// x = 48 and the ground at y = 93. Points on the body are first placed in three dimensions
// (x to the viewer's right, y down, z towards the viewer), turned by the pose's yaw and then
// seen straight on, so features slide round the balls as he turns and hide behind them.
#include "sample/art/snowman.h"

#include <algorithm>
#include <cmath>

namespace card::sample {
namespace {

enum Ink {
  kOutline, kWhite, kSnow1, kSnow2, kSnow3, kHat, kHatLight, kRed, kRedDark, kRedLight,
  kOrange, kOrangeDark, kTwig, kGreen, kGreenDark
};

constexpr double kAxis = 48;
constexpr double kGround = 93;
constexpr double kLine = 1.0;

struct Ball {
  double y;
  double r;
};
constexpr Ball kBottom{66.5, 18.5};
constexpr Ball kMiddle{43, 13.5};
constexpr Ball kHead{20, 12.5};
constexpr double kNeckY = 32;
constexpr double kArmLength = 21;

struct Point3 {
  double x, y, z;
};

Point3 operator+(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3 operator*(Point3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }

class SnowmanDrawing {
 public:
  explicit SnowmanDrawing(const Pose& pose) : pose_(pose) {}

  Image Draw() {
    const Vec2 ground{kAxis, kGround};
    scene_.Push(Affine::About(ground, Affine::Scale(kModelScale, kModelScale)));
    const double width = 1.0 / std::sqrt(pose_.stretch);
    const Affine body =
        Affine::Translate({0, -pose_.bob}) *
        Affine::About(ground, Affine::Rotate(pose_.tilt) * Affine::Scale(width, pose_.stretch));
    // The top two balls bend forward about the waist for a bow; the head tilts on the neck.
    const Affine upper =
        Affine::About({kAxis, kMiddle.y + kMiddle.r - 2}, Affine::Rotate(pose_.bend));
    const Affine head = Affine::About({kAxis, kNeckY}, Affine::Rotate(pose_.headTilt));
    const Affine hat = head * Affine::Translate({kAxis, kHead.y - kHead.r + 1 - pose_.hatLift}) *
                       Affine::Rotate(pose_.hatTilt);
    hatBrim_ = hat.Apply({12.5, 0});

    scene_.Push(body * upper);
    DrawArmsWhere([](double z, bool) { return z < -4; });
    if (ScarfKnot().z < 0) DrawScarfEnds();
    scene_.Pop();

    DrawBoots();

    scene_.Push(body);
    DrawBall(kBottom);
    DrawButton(kBottom, 0, 6);
    Shade(kBottom, 11, kMiddle.y + kMiddle.r - 1);
    scene_.Push(upper);
    DrawArmsWhere([](double z, bool front) { return z >= -4 && !front; });
    DrawBall(kMiddle);
    DrawButton(kMiddle, 0, 16);
    DrawButton(kMiddle, 0, -14);
    Shade(kMiddle, 8, kNeckY + 1);

    scene_.Push(head);
    if (NoseTurnedAway()) DrawNose();
    DrawBall(kHead);
    DrawFace();
    if (ScarfKnot().z >= 0) DrawScarfEnds();
    DrawScarfBand();
    scene_.Pop();
    DrawHat(hat);
    DrawArmsWhere([](double, bool front) { return front; });
    scene_.Pop();
    scene_.Pop();
    scene_.Pop();
    static const std::vector<Ramp> ramps = {{kOutline, kSnow3, kSnow2, kSnow1, kWhite},
                                            {kOutline, kRedDark, kRed, kRedLight},
                                            {kOutline, kHat, kHatLight},
                                            {kOutline, kOrangeDark, kOrange},
                                            {kOutline, kGreenDark, kGreen}};
    return scene_.Render(kFrameSize, kFrameSize, SnowmanPalette(), ramps);
  }

 private:
  // Body space to view space: the turn about the vertical axis.
  Point3 Turn(Point3 p) const {
    const double s = std::sin(Radians(pose_.yaw)), c = std::cos(Radians(pose_.yaw));
    return {p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
  }
  static Vec2 Seen(Point3 p) { return {kAxis + p.x, p.y}; }

  // A point on a ball's surface (or `out` pixels above it) at a longitude and latitude of
  // the body, longitude 0 being the middle of his face.
  Point3 OnBall(Ball b, double longitude, double latitude, double out = 0) const {
    const double r = b.r + out;
    const double lat = Radians(latitude), lon = Radians(longitude);
    return Turn({r * std::cos(lat) * std::sin(lon), b.y - r * std::sin(lat),
                 r * std::cos(lat) * std::cos(lon)});
  }
  // How much of a flat mark at that longitude faces the viewer (1 = square on).
  double Facing(double longitude) const { return std::cos(Radians(longitude + pose_.yaw)); }

  void DrawBall(Ball b) {
    const Vec2 c{kAxis, b.y};
    const Shape ball = Circle(c, b.r);
    scene_.Outlined(ball, kWhite, kOutline, kLine);
    // Light from the upper left: two crescents of shade on the lower right.
    const Vec2 away{-0.55, -0.83};
    scene_.Fill(Difference(ball, Circle(c + away * (0.34 * b.r), b.r)), kSnow1);
    scene_.Fill(Difference(ball, Circle(c + away * (0.13 * b.r), b.r)), kSnow2);
  }

  // The soft shadow that the ball above (or the scarf) casts on a ball's top.
  void Shade(Ball b, double halfWidth, double y) {
    const Shape ball = Circle({kAxis, b.y}, b.r - kLine);
    scene_.Fill(Intersection(ball, Ellipse({kAxis, y}, halfWidth, 3.2)), kSnow1);
  }

  void DrawButton(Ball b, double longitude, double latitude) {
    const double facing = Facing(longitude);
    if (facing < 0.25) return;
    const Vec2 p = Seen(OnBall(b, longitude, latitude));
    scene_.Fill(Ellipse(p, 1.9 * facing, 1.9), kOutline);
    scene_.Fill(Circle(p + Vec2{-0.6 * facing, -0.6}, 0.6), kHatLight);
  }

  void DrawFace() {
    for (int side : {-1, +1}) {
      const double lon = side * 25;
      const double facing = Facing(lon);
      if (facing < 0.3) continue;
      const Vec2 eye = Seen(OnBall(kHead, lon, 10)) + Vec2{pose_.look, 0};
      const double rx = 2.2 * std::max(facing, 0.5);
      switch (pose_.eyes) {
        case Eyes::Open:
          scene_.Fill(Ellipse(eye, rx, 3.0), kOutline);
          scene_.Fill(Circle(eye + Vec2{-0.5 * rx, -1.2}, 0.9), kWhite);
          break;
        case Eyes::Closed:
          scene_.Fill(Stroke(Arc(eye + Vec2{0, -1.0}, rx + 0.6, 1.8, 15, 165, 8), 0.7), kOutline);
          break;
        case Eyes::Happy:
          scene_.Fill(Stroke(Arc(eye + Vec2{0, 1.4}, rx + 0.5, 2.4, 195, 345, 8), 0.75), kOutline);
          break;
      }
      const double cheek = Facing(side * 40);
      if (cheek > 0.3)
        scene_.Fill(Ellipse(Seen(OnBall(kHead, side * 40, -10)), 2.5 * cheek, 1.6), kRedLight);
    }
    DrawMouth();
    if (!NoseTurnedAway()) DrawNose();
  }

  void DrawMouth() {
    if (pose_.mouth == Mouth::Smile) {
      for (int i = -2; i <= 2; ++i) {
        const double lon = i * 11.0;
        const double facing = Facing(lon);
        if (facing < 0.2) continue;
        const double lat = -30 + 8.0 * (i * i) / 4.0;
        scene_.Fill(Ellipse(Seen(OnBall(kHead, lon, lat)), 1.1 * std::max(facing, 0.5), 1.1),
                    kOutline);
      }
      return;
    }
    if (Facing(0) < 0.45) return;
    std::vector<Vec2> outline;
    for (int i = -4; i <= 4; ++i)
      outline.push_back(Seen(OnBall(kHead, i * 5.5, -19 + 0.15 * i * i)));
    for (int i = 4; i >= -4; --i)
      outline.push_back(Seen(OnBall(kHead, i * 5.5, -21 - 15 * (1 - i * i / 16.0))));
    const Shape mouth = Polygon(outline);
    scene_.Outlined(mouth, kRedDark, kOutline, 0.8);
    const Vec2 tongue = Seen(OnBall(kHead, 0, -33));
    scene_.Fill(Intersection(mouth, Ellipse(tongue + Vec2{0.8, 0}, 4.2 * Facing(0), 2.6)),
                kRedLight);
  }

  // The carrot's base and tip. It points down a little and off to the side he is turned to,
  // so that it never looks straight at the viewer as a round blob.
  void NoseEnds(Point3& base, Point3& tip) const {
    base = OnBall(kHead, 0, -6);
    const double side = std::sin(Radians(pose_.yaw)) < -0.01 ? -1 : 1;
    const double lon = Radians(28 * side), lat = Radians(-12);
    const Point3 along{std::cos(lat) * std::sin(lon), -std::sin(lat),
                       std::cos(lat) * std::cos(lon)};
    tip = base + Turn(along) * 12.0;
  }
  bool NoseTurnedAway() const { return Facing(0) < 0; }

  void DrawNose() {
    Point3 base3, tip3;
    NoseEnds(base3, tip3);
    const Vec2 base = Seen(base3), tip = Seen(tip3);
    const Vec2 along = tip - base;
    const double length = Length(along);
    const double radius = 2.6;
    if (length < 2.5) {
      scene_.Outlined(Circle(base, radius), kOrange, kOutline, kLine);
      return;
    }
    const Vec2 u = along * (1 / length);
    Vec2 n{-u.y, u.x};
    if (n.y < 0) n = n * -1;  // n points to the carrot's lower, shaded side
    const Shape carrot =
        Union(Circle(base, radius), Polygon({base + n * radius, tip, base - n * radius}));
    scene_.Outlined(carrot, kOrange, kOutline, kLine);
    scene_.Fill(Intersection(carrot, Polygon({base, base + n * (radius + 1), tip + n * 0.5})),
                kOrangeDark);
    for (double t : {0.38, 0.62}) {
      const Vec2 p = base + along * t;
      const double half = radius * (1 - t) * 0.8;
      scene_.Fill(Capsule(p - n * half, p + n * (half * 0.2), 0.45), kOrangeDark);
    }
  }

  // Where the scarf is knotted: at the front of his left side, on the neck.
  Point3 ScarfKnot() const {
    const double lon = Radians(38);
    return Turn({12 * std::sin(lon), kNeckY + 2.5, 12 * std::cos(lon)});
  }

  std::vector<Vec2> ScarfPath(double dy) const {
    return {{kAxis - 12.5, kNeckY + 1 + dy},
            {kAxis - 6, kNeckY + 3.6 + dy},
            {kAxis, kNeckY + 4.2 + dy},
            {kAxis + 6, kNeckY + 3.6 + dy},
            {kAxis + 12.5, kNeckY + 1 + dy}};
  }

  void DrawScarfBand() {
    const Shape band = Stroke(ScarfPath(0), 3.3);
    scene_.Outlined(band, kRed, kOutline, kLine);
    scene_.Fill(Intersection(band, Stroke(ScarfPath(3.1), 1.6)), kRedDark);
    scene_.Fill(Intersection(band, Stroke(ScarfPath(-3.0), 0.9)), kRedLight);
    const Point3 knot = ScarfKnot();
    if (knot.z >= 0)
      scene_.Outlined(Ellipse(Seen(knot) + Vec2{0, 0.5}, 3.0, 3.4), kRed, kOutline, kLine);
  }

  void DrawScarfEnds() {
    const Vec2 root = Seen(ScarfKnot()) + Vec2{0, 1.5};
    struct End {
      double angle, length;
    };
    for (End e : {End{-14, 14}, End{6, 17}}) {
      const double a = Radians(e.angle + pose_.scarfSway);
      const Vec2 u{-std::sin(a), std::cos(a)};
      const Vec2 n{u.y, -u.x};
      const Vec2 tip = root + u * e.length;
      const Shape end = Polygon({root + n * 2.4, root - n * 2.4, tip - n * 2.8, tip + n * 2.8});
      for (double f : {-1.8, 0.0, 1.8})
        scene_.Outlined(Capsule(tip + n * f, tip + n * f + u * 2.6, 0.7), kRed, kOutline, 0.8);
      scene_.Outlined(end, kRed, kOutline, kLine);
      for (double t : {0.45, 0.72}) {
        const Vec2 p = root + u * (e.length * t);
        scene_.Fill(Intersection(end, Capsule(p + n * 4, p - n * 4, 1.1)), kRedDark);
      }
    }
  }

  // The hat in its own coordinates: the middle of the brim at the origin.
  void DrawHat(const Affine& place) {
    scene_.Push(place);
    const Shape brim = Ellipse({0, 0}, 13, 3.2);
    const Shape crown =
        Union(Polygon({{-8, 0}, {8, 0}, {9, -12.5}, {-9, -12.5}}), Ellipse({0, -12.5}, 9, 2));
    scene_.Outlined(brim, kHat, kOutline, kLine);
    scene_.Fill(Intersection(brim, Ellipse({-4, -1.2}, 7, 1.4)), kHatLight);
    scene_.Outlined(crown, kHat, kOutline, kLine);
    scene_.Fill(Intersection(crown, Polygon({{-6.2, 0}, {-4.4, 0}, {-4.9, -12}, {-6.9, -12}})),
                kHatLight);
    scene_.Fill(Ellipse({0, -12.5}, 7.8, 1.2), kOutline);
    const Shape band = Intersection(crown, Polygon({{-10, -1}, {10, -1}, {10, -4.8}, {-10, -4.8}}));
    scene_.Fill(band, kRed);
    scene_.Fill(Intersection(band, Polygon({{-10, -1}, {10, -1}, {10, -2}, {-10, -2}})), kRedDark);
    const double lon = Radians(40 + pose_.yaw);
    if (std::cos(lon) > 0.15) {
      const Vec2 sprig{8.5 * std::sin(lon), -3};
      const double w = std::max(std::cos(lon), 0.5);
      scene_.Outlined(Ellipse(sprig + Vec2{-3.0 * w, -3}, 3.6 * w, 2.0, -25), kGreen, kOutline,
                      0.8);
      scene_.Outlined(Ellipse(sprig + Vec2{3.0 * w, -3}, 3.6 * w, 2.0, 25), kGreen, kOutline, 0.8);
      scene_.Fill(Capsule(sprig + Vec2{-5 * w, -3.4}, sprig + Vec2{-1.5, -2.8}, 0.5), kGreenDark);
      scene_.Fill(Capsule(sprig + Vec2{5 * w, -3.4}, sprig + Vec2{1.5, -2.8}, 0.5), kGreenDark);
      scene_.Outlined(Circle(sprig + Vec2{-1.0, -1.2}, 1.5), kRed, kOutline, 0.6);
      scene_.Outlined(Circle(sprig + Vec2{1.2, -0.6}, 1.5), kRed, kOutline, 0.6);
    }
    scene_.Pop();
  }

  Point3 Shoulder(int side) const {
    const double lat = Radians(12);
    const double r = kMiddle.r - 1;
    return Turn({side * r * std::cos(lat), kMiddle.y - r * std::sin(lat), 0});
  }
  Point3 ArmDirection(const Arm& arm, int side) const {
    const double el = Radians(arm.elevation), sw = Radians(arm.swing);
    return Turn({side * std::cos(el) * std::cos(sw), -std::sin(el), std::cos(el) * std::sin(sw)});
  }
  Vec2 ArmTip(const Arm& arm, int side) const {
    if (arm.toHat) return hatBrim_;
    return Seen(Shoulder(side) + ArmDirection(arm, side) * kArmLength);
  }

  template <typename Which>
  void DrawArmsWhere(Which which) {
    const int sides[2] = {-1, +1};
    const Arm* arms[2] = {&pose_.left, &pose_.right};
    for (int i = 0; i < 2; ++i) {
      const Point3 middle =
          Shoulder(sides[i]) + ArmDirection(*arms[i], sides[i]) * (kArmLength / 2);
      if (which(middle.z, arms[i]->inFront)) DrawArm(*arms[i], sides[i]);
    }
  }

  void DrawArm(const Arm& arm, int side) {
    const Vec2 shoulder = Seen(Shoulder(side));
    const Vec2 tip = ArmTip(arm, side);
    Vec2 u = tip - shoulder;
    const double length = Length(u);
    u = length > 0.5 ? u * (1 / length) : Vec2{double(side), 0};
    // n is the side of the twig that faces up, where the side shoot grows.
    Vec2 n{-u.y, u.x};
    if (n.y > 0) n = n * -1;
    const Vec2 bend = Lerp(shoulder, tip, 0.55) + n * 1.2;
    const auto turned = [&](double degrees) {
      const double a = Radians(degrees * side * (u.x >= 0 ? 1 : -1));
      return Vec2{u.x * std::cos(a) - u.y * std::sin(a), u.x * std::sin(a) + u.y * std::cos(a)};
    };
    Shape twig = Stroke({shoulder, bend, tip}, 1.35);
    const Vec2 shootBase = Lerp(shoulder, tip, 0.62) + n * 0.6;
    const Shape fingers =
        Union(Union(Capsule(tip, tip + turned(-38) * 5.5, 0.95),
                    Capsule(tip, tip + turned(30) * 5.0, 0.95)),
              Capsule(shootBase, shootBase + (u + n * 1.4) * (5.0 / Length(u + n * 1.4)), 0.9));
    twig = Union(twig, fingers);
    scene_.Outlined(twig, kTwig, kOutline, kLine);
  }

  void DrawBoots() {
    const Boot* boots[2] = {&pose_.leftBoot, &pose_.rightBoot};
    // The boot further from the viewer first: turned to the viewer's right, that is his left.
    if (std::sin(Radians(pose_.yaw)) > 0) std::swap(boots[0], boots[1]);
    for (const Boot* b : boots) DrawBoot(*b);
  }

  void DrawBoot(const Boot& boot) {
    const double s = std::sin(Radians(pose_.yaw));
    const double halfLength = 4.6 + 2.4 * std::abs(s);
    const double toeward = s >= 0 ? 1 : -1;
    const Vec2 heel{kAxis + boot.x - toeward * halfLength * 0.6, kGround - 1.5 - boot.lift};
    scene_.Push(Affine::About(heel, Affine::Rotate(-toeward * boot.toe)));
    const Vec2 c{kAxis + boot.x, kGround - 3.6 - boot.lift};
    const Shape foot = Ellipse(c + Vec2{toeward * 2.2 * std::abs(s), 0.6}, halfLength, 3.2);
    const Shape leg = RoundedBox(c + Vec2{0, -4}, {4.2, 4.5}, 1.5);
    const Shape whole = Union(foot, leg);
    scene_.Outlined(whole, kRed, kOutline, kLine);
    scene_.Fill(Intersection(whole, Polygon({{c.x - 9, c.y + 2.2},
                                             {c.x + 9, c.y + 2.2},
                                             {c.x + 9, c.y + 5},
                                             {c.x - 9, c.y + 5}})),
                kRedDark);
    scene_.Fill(Ellipse(c + Vec2{-1.6 + toeward * 1.2 * std::abs(s), -0.8}, 2.0, 1.0), kRedLight);
    scene_.Pop();
  }

  const Pose& pose_;
  Scene scene_;
  Vec2 hatBrim_;  // the right end of the hat's brim, where a hand holds it
};

}  // namespace

const std::vector<Colour>& SnowmanPalette() {
  static const std::vector<Colour> palette = {
      {30, 34, 58},   {255, 255, 255}, {224, 236, 250}, {178, 198, 232}, {128, 148, 198},
      {52, 54, 78},   {96, 100, 134},  {222, 44, 52},   {148, 24, 44},   {255, 128, 112},
      {250, 146, 40}, {196, 96, 26},   {118, 76, 42},   {52, 150, 70},   {26, 96, 52},
  };
  return palette;
}

Image DrawSnowman(const Pose& pose) { return SnowmanDrawing(pose).Draw(); }

}  // namespace card::sample
