// Plane geometry for the sample card's drawings: points, affine maps and boxes.
#pragma once

#include <algorithm>
#include <cmath>

namespace card::sample {

constexpr double kPi = 3.14159265358979323846;

inline double Radians(double degrees) { return degrees * kPi / 180.0; }

struct Vec2 {
  double x = 0;
  double y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double k) { return {a.x * k, a.y * k}; }
inline double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double Length(Vec2 a) { return std::sqrt(Dot(a, a)); }
inline Vec2 Lerp(Vec2 a, Vec2 b, double t) { return a + (b - a) * t; }
// The point at `degrees` on a circle, y growing downwards as on the screen.
inline Vec2 Polar(Vec2 centre, double radius, double degrees) {
  return {centre.x + radius * std::cos(Radians(degrees)),
          centre.y + radius * std::sin(Radians(degrees))};
}

// x' = a x + b y + e, y' = c x + d y + f
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  static Affine Translate(Vec2 t) { return {1, 0, 0, 1, t.x, t.y}; }
  static Affine Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  static Affine Rotate(double degrees) {
    const double s = std::sin(Radians(degrees)), k = std::cos(Radians(degrees));
    return {k, -s, s, k, 0, 0};
  }
  // Rotation and scaling about a fixed point.
  static Affine About(Vec2 pivot, const Affine& m) {
    return Translate(pivot) * m * Translate({-pivot.x, -pivot.y});
  }

  Vec2 Apply(Vec2 p) const { return {a * p.x + b * p.y + e, c * p.x + d * p.y + f}; }

  Affine Inverse() const {
    const double det = a * d - b * c;
    const Affine r{d / det, -b / det, -c / det, a / det, 0, 0};
    const Vec2 t = r.Apply({e, f});
    return {r.a, r.b, r.c, r.d, -t.x, -t.y};
  }

  friend Affine operator*(const Affine& m, const Affine& n) {
    return {m.a * n.a + m.b * n.c, m.a * n.b + m.b * n.d,       m.c * n.a + m.d * n.c,
            m.c * n.b + m.d * n.d, m.a * n.e + m.b * n.f + m.e, m.c * n.e + m.d * n.f + m.f};
  }
};

struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;

  bool Contains(Vec2 p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
  Box Grown(double w) const { return {x0 - w, y0 - w, x1 + w, y1 + w}; }
  Box Union(const Box& o) const {
    return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
  }
  Box Intersection(const Box& o) const {
    return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
  }
  // The box around this box's image under m.
  Box Mapped(const Affine& m) const {
    const Vec2 corners[] = {m.Apply({x0, y0}), m.Apply({x1, y0}), m.Apply({x0, y1}),
                            m.Apply({x1, y1})};
    Box r{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    for (const Vec2& p : corners) r = r.Union({p.x, p.y, p.x, p.y});
    return r;
  }
};

}  // namespace card::sample
