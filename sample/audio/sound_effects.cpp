// The card's sound effects: a crunchy footstep in snow, a springy jump, a whoosh for a
// twirl, a sparkling chime and a little fanfare for the bow. The card plays them at 8 kHz,
// so every sound keeps its character below 4 kHz.
#include "sample/audio/sound_effects.h"

#include <cmath>

#include "sample/audio/synth.h"

namespace card::sample {
namespace {

constexpr int kRate = kEffectRate;

std::vector<double> Silence(double seconds) {
  return std::vector<double>(size_t(seconds * kRate), 0.0);
}
double Time(size_t i) { return double(i) / kRate; }

// A boot pressing into snow: a cluster of tiny filtered crackles over a soft thud.
std::vector<double> Step() {
  std::vector<double> out = Silence(0.16);
  Noise noise(20231);
  for (int grain = 0; grain < 22; ++grain) {
    const double start = 0.09 * std::pow(noise.Uniform(), 1.6);
    const double length = 0.002 + 0.004 * noise.Uniform();
    const double gain = std::exp(-start / 0.045) * (0.4 + 0.6 * noise.Uniform());
    const size_t first = size_t(start * kRate), count = size_t(length * kRate);
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
      const double window = std::sin(kTwoPi * 0.5 * i / count);
      out[first + i] += gain * window * window * noise.Signed();
    }
  }
  BandPass crunch(kRate);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    const double crackle = crunch.Step(out[i], 1700, 0.7);
    phase += kTwoPi * (80 + 70 * std::exp(-t / 0.02)) / kRate;
    out[i] = 0.85 * crackle + 0.12 * out[i] + 0.35 * std::sin(phase) * std::exp(-t / 0.03);
  }
  FadeOut(out, 0.02, kRate);
  Normalise(out, 0.6);
  return out;
}

// A jump: a rising, springy tone that wobbles as it fades.
std::vector<double> Boing() {
  std::vector<double> out = Silence(0.45);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = Time(i);
    double f = 170 * std::pow(3.4, std::min(t / 0.2, 1.0));
    f *= 1 + 0.07 * std::sin(kTwoPi * 17 * t) * std::min(t / 0.15, 1.0);
    phase += kTwoPi * f / kRate;
    const double tone = std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
    const double envelope = std::min(t / 0.008, 1.0) * std::exp(-std::max(t - 0.1, 0.0) / 0.11);
    out[i] = tone * envelope;
  }
  FadeOut(out, 0.05, kRate);
  Normalise(out, 0.45);  // three hops in a row: kept a little softer than the rest
  return out;
}

// A twirl: noise through a band-pass that sweeps up and down again as the sound swells.
std::vector<double> Whoosh() {
  std::vector<double> out = Silence(1.3);
  const double length = Time(out.size());
  Noise noise(777);
  BandPass first(kRate), second(kRate);
  for (size_t i = 0; i < out.size(); ++i) {
    const double arc = std::sin(kTwoPi * 0.5 * Time(i) / length);
    const double centre = 320 * std::pow(7.0, arc);
    const double hiss = second.Step(first.Step(noise.Signed(), centre, 1.4), centre, 1.4);
    out[i] = hiss * std::pow(arc, 1.6);
  }
  Normalise(out, 0.55);
  return out;
}

// One struck bell: a fundamental that rings on and brighter partials that fade fast.
void AddBell(std::vector<double>& out, double start, double f, double gain) {
  struct Partial {
    double ratio, amplitude, decay;
  };
  static const Partial partials[] = {
      {1.0, 1.0, 0.7}, {2.0, 0.3, 0.25}, {2.76, 0.14, 0.15}, {3.0, 0.1, 0.1}};
  for (size_t i = size_t(start * kRate); i < out.size(); ++i) {
    const double t = Time(i) - start;
    double s = 0;
    for (const Partial& p : partials)
      if (f * p.ratio < 3800)
        s += p.amplitude * std::sin(kTwoPi * f * p.ratio * t) * std::exp(-t / p.decay);
    out[i] += gain * std::min(t / 0.002, 1.0) * s;
  }
}

// A rising arpeggio of bells, G major.
std::vector<double> Chime() {
  std::vector<double> out = Silence(1.6);
  const double notes[] = {784.0, 987.8, 1174.7, 1568.0};
  for (int n = 0; n < 4; ++n) AddBell(out, 0.09 * n, notes[n], 1.0 - 0.12 * n);
  FadeOut(out, 0.3, kRate);
  Normalise(out, 0.5);
  return out;
}

// A brassy note: harmonics that open up during the attack, with a little vibrato.
void AddHorn(std::vector<double>& out, double start, double length, double f, double gain) {
  for (size_t i = size_t(start * kRate); i < out.size(); ++i) {
    const double t = Time(i) - start;
    if (t > length + 0.25) break;
    const double vibrato =
        1 + 0.006 * std::sin(kTwoPi * 5.5 * t) * std::min(std::max(t - 0.2, 0.0) / 0.2, 1.0);
    const double bright = std::min(t / 0.04, 1.0);
    double s = 0;
    for (int k = 1; k <= 7 && f * k < 3800; ++k)
      s += std::pow(k, -1.1) * (k == 1 ? 1.0 : bright) * std::sin(kTwoPi * f * k * vibrato * t);
    const double envelope =
        std::min(t / 0.012, 1.0) * (t > length ? std::exp(-(t - length) / 0.07) : 1.0);
    out[i] += gain * envelope * s;
  }
}

// "Ta-daa": a short pick-up note, then a held C major chord.
std::vector<double> TaDa() {
  std::vector<double> out = Silence(1.3);
  AddHorn(out, 0.0, 0.1, 392.0, 0.9);
  for (double f : {523.3, 659.3, 784.0}) AddHorn(out, 0.16, 0.85, f, 0.6);
  Normalise(out, 0.55);
  return out;
}

}  // namespace

std::vector<SoundEffect> SoundEffects() {
  return {{"STEP", Step()},
          {"BOING", Boing()},
          {"WHOOSH", Whoosh()},
          {"CHIME", Chime()},
          {"TADA", TaDa()}};
}

}  // namespace card::sample
