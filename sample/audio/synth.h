// Small building blocks for synthesising the card's sound effects: a repeatable noise
// source, a band-pass filter whose centre may move, and a peak normaliser.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace card::sample {

constexpr double kTwoPi = 6.28318530717958647692;

// xorshift32: the same noise on every machine and every build.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
  double Uniform() {  // 0..1
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 4294967296.0;
  }
  double Signed() { return 2 * Uniform() - 1; }

 private:
  uint32_t state_;
};

// A second-order band-pass filter (0 dB at the centre), retuned on every sample.
class BandPass {
 public:
  explicit BandPass(double rate) : rate_(rate) {}
  double Step(double x, double centre, double q) {
    const double w = kTwoPi * centre / rate_;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
    const double y = b0 * x + b2 * x2_ - a1 * y1_ - a2 * y2_;
    x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
    return y;
  }

 private:
  double rate_;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Brings the last `seconds` of the sound smoothly down to silence, so it ends without a click.
inline void FadeOut(std::vector<double>& samples, double seconds, int rate) {
  const size_t count = std::min(samples.size(), size_t(seconds * rate));
  for (size_t i = 0; i < count; ++i) samples[samples.size() - 1 - i] *= double(i) / count;
}

// Scales the sound so that its loudest sample is `peak`.
inline void Normalise(std::vector<double>& samples, double peak) {
  double top = 0;
  for (double s : samples) top = std::max(top, std::abs(s));
  if (top > 0)
    for (double& s : samples) s *= peak / top;
}

}  // namespace card::sample
