// Supersampled rendering of a scene into palette colours.
#include "sample/art/scene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace card::sample {

Colour Image::At(int x, int y) const {
  const uint8_t* p = &rgba[(y * width + x) * 4];
  return {p[0], p[1], p[2]};
}

void Image::Set(int x, int y, Colour c) {
  uint8_t* p = &rgba[(y * width + x) * 4];
  p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
}

void Scene::Push(const Affine& m) { stack_.push_back(stack_.back() * m); }

void Scene::Pop() {
  if (stack_.size() == 1) throw std::logic_error("Scene::Pop without a matching Push");
  stack_.pop_back();
}

void Scene::Fill(const Shape& s, int colour) {
  const Affine& m = stack_.back();
  commands_.push_back({s, m.Inverse(), s.box.Mapped(m), colour});
}

void Scene::Outlined(const Shape& s, int colour, int outline, double width) {
  Fill(Grown(s, width), outline);
  Fill(s, colour);
}

namespace {

double Distance(const Colour& a, double r, double g, double b) {
  return (a.r - r) * (a.r - r) + (a.g - g) * (a.g - g) + (a.b - b) * (a.b - b);
}

// The colours a pixel may take: those that cover part of it and, on each ramp, those that
// lie between two of them. White and navy may blend into blue-grey, never red and navy into brown.
std::vector<bool> Candidates(const std::vector<int>& hits, const std::vector<Ramp>& ramps) {
  std::vector<bool> allowed(hits.size());
  for (size_t c = 0; c < hits.size(); ++c) allowed[c] = hits[c] > 0;
  for (const Ramp& ramp : ramps) {
    int first = -1, last = -1;
    for (int i = 0; i < int(ramp.size()); ++i) {
      if (hits.at(ramp[i]) == 0) continue;
      if (first < 0) first = i;
      last = i;
    }
    for (int i = std::max(first, 0); i < last; ++i) allowed[ramp[i]] = true;
  }
  return allowed;
}

}  // namespace

Image Scene::Render(int width, int height, const std::vector<Colour>& palette,
                    const std::vector<Ramp>& ramps, int ss) const {
  Image image{width, height, std::vector<uint8_t>(size_t(width) * height * 4, 0)};
  const int samples = ss * ss;
  std::vector<int> hits(palette.size());
  std::vector<const Command*> nearby;  // topmost first
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Only the shapes whose boxes reach this pixel can cover one of its samples.
      const Box pixel{double(x), double(y), x + 1.0, y + 1.0};
      nearby.clear();
      for (auto it = commands_.rbegin(); it != commands_.rend(); ++it) {
        const Box overlap = it->screenBox.Intersection(pixel);
        if (overlap.x0 <= overlap.x1 && overlap.y0 <= overlap.y1) nearby.push_back(&*it);
      }
      std::fill(hits.begin(), hits.end(), 0);
      int covered = 0;
      double r = 0, g = 0, b = 0;
      for (int sy = 0; sy < ss; ++sy) {
        for (int sx = 0; sx < ss; ++sx) {
          const Vec2 p{x + (sx + 0.5) / ss, y + (sy + 0.5) / ss};
          // The topmost shape that holds the sample decides its colour.
          for (const Command* command : nearby) {
            if (!command->screenBox.Contains(p) ||
                command->shape.distance(command->toLocal.Apply(p)) > 0)
              continue;
            const Colour& c = palette.at(command->colour);
            r += c.r, g += c.g, b += c.b;
            ++hits[command->colour];
            ++covered;
            break;
          }
        }
      }
      if (covered * 2 < samples) continue;
      r /= covered, g /= covered, b /= covered;
      const std::vector<bool> allowed = Candidates(hits, ramps);
      double best = std::numeric_limits<double>::max();
      Colour chosen;
      for (size_t c = 0; c < palette.size(); ++c) {
        const double d = Distance(palette[c], r, g, b);
        if (allowed[c] && d < best) best = d, chosen = palette[c];
      }
      image.Set(x, y, chosen);
    }
  }
  return image;
}

}  // namespace card::sample
