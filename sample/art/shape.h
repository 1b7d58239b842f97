// Filled shapes for the sample card's drawings, as signed distance functions: negative
// inside, positive outside. Distances make outlines simple: an outline is the shape grown
// by the line's width and drawn underneath it.
#pragma once

#include <functional>
#include <vector>

#include "sample/art/geometry.h"

namespace card::sample {

struct Shape {
  std::function<double(Vec2)> distance;
  Box box;  // holds every point where distance <= 0
};

Shape Circle(Vec2 centre, double radius);
Shape Ellipse(Vec2 centre, double rx, double ry, double degrees = 0);
// A straight stroke with round ends.
Shape Capsule(Vec2 a, Vec2 b, double radius);
// A line through the points with round joints and ends.
Shape Stroke(const std::vector<Vec2>& points, double radius);
// A closed polygon; the points may wind either way.
Shape Polygon(const std::vector<Vec2>& points);
Shape RoundedBox(Vec2 centre, Vec2 half, double radius);

Shape Grown(const Shape& s, double width);
Shape Union(const Shape& a, const Shape& b);
Shape Intersection(const Shape& a, const Shape& b);
// The part of `a` outside `b`.
Shape Difference(const Shape& a, const Shape& b);

// Points along a circular arc from one angle to another (degrees, y downwards).
std::vector<Vec2> Arc(Vec2 centre, double rx, double ry, double from, double to, int steps = 12);

}  // namespace card::sample
