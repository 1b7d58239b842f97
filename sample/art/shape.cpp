// Signed distance functions of the basic shapes and their combinations.
#include "sample/art/shape.h"

#include <algorithm>
#include <cmath>

namespace card::sample {
namespace {

double SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double len2 = Dot(ab, ab);
  const double t = len2 > 0 ? std::clamp(Dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
  return Length(p - (a + ab * t));
}

Box PointsBox(const std::vector<Vec2>& points) {
  Box b{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Vec2& p : points) b = b.Union({p.x, p.y, p.x, p.y});
  return b;
}

}  // namespace

Shape Circle(Vec2 c, double r) {
  return {[=](Vec2 p) { return Length(p - c) - r; }, {c.x - r, c.y - r, c.x + r, c.y + r}};
}

Shape Ellipse(Vec2 c, double rx, double ry, double degrees) {
  const Affine toLocal = Affine::Rotate(-degrees) * Affine::Translate({-c.x, -c.y});
  const double reach = std::max(rx, ry);
  return {[=](Vec2 p) {
            // A close approximation of the true distance that stays well behaved near the centre.
            const Vec2 q = toLocal.Apply(p);
            const double k0 = Length({q.x / rx, q.y / ry});
            const double k1 = Length({q.x / (rx * rx), q.y / (ry * ry)});
            return k1 > 0 ? k0 * (k0 - 1.0) / k1 : -std::min(rx, ry);
          },
          {c.x - reach, c.y - reach, c.x + reach, c.y + reach}};
}

Shape Capsule(Vec2 a, Vec2 b, double r) { return Stroke({a, b}, r); }

Shape Stroke(const std::vector<Vec2>& points, double r) {
  return {[=](Vec2 p) {
            double d = Length(p - points[0]);
            for (size_t i = 1; i < points.size(); ++i)
              d = std::min(d, SegmentDistance(p, points[i - 1], points[i]));
            return d - r;
          },
          PointsBox(points).Grown(r)};
}

Shape Polygon(const std::vector<Vec2>& v) {
  return {[=](Vec2 p) {
            double d = Dot(p - v[0], p - v[0]);
            bool inside = false;
            for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
              const double s = SegmentDistance(p, v[j], v[i]);
              d = std::min(d, s * s);
              // Even-odd crossing test for the sign.
              if ((v[i].y > p.y) != (v[j].y > p.y) &&
                  p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
                inside = !inside;
            }
            return inside ? -std::sqrt(d) : std::sqrt(d);
          },
          PointsBox(v)};
}

Shape RoundedBox(Vec2 c, Vec2 half, double r) {
  return {
      [=](Vec2 p) {
        const double qx = std::abs(p.x - c.x) - half.x + r;
        const double qy = std::abs(p.y - c.y) - half.y + r;
        return Length({std::max(qx, 0.0), std::max(qy, 0.0)}) + std::min(std::max(qx, qy), 0.0) - r;
      },
      {c.x - half.x, c.y - half.y, c.x + half.x, c.y + half.y}};
}

Shape Grown(const Shape& s, double w) {
  return {[=, f = s.distance](Vec2 p) { return f(p) - w; }, s.box.Grown(w)};
}

Shape Union(const Shape& a, const Shape& b) {
  return {[fa = a.distance, fb = b.distance](Vec2 p) { return std::min(fa(p), fb(p)); },
          a.box.Union(b.box)};
}

Shape Intersection(const Shape& a, const Shape& b) {
  return {[fa = a.distance, fb = b.distance](Vec2 p) { return std::max(fa(p), fb(p)); },
          a.box.Intersection(b.box)};
}

Shape Difference(const Shape& a, const Shape& b) {
  return {[fa = a.distance, fb = b.distance](Vec2 p) { return std::max(fa(p), -fb(p)); }, a.box};
}

std::vector<Vec2> Arc(Vec2 c, double rx, double ry, double from, double to, int steps) {
  std::vector<Vec2> points;
  for (int i = 0; i <= steps; ++i) {
    const double t = Radians(from + (to - from) * i / steps);
    points.push_back({c.x + rx * std::cos(t), c.y + ry * std::sin(t)});
  }
  return points;
}

}  // namespace card::sample
