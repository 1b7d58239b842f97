// The card's sound effects, synthesised: mono samples in -1..1 at kEffectRate.
#pragma once

#include <string>
#include <vector>

namespace card::sample {

constexpr int kEffectRate = 22050;

struct SoundEffect {
  std::string name;  // the name the scripts play it by, e.g. "!STEP"
  std::vector<double> samples;
};

std::vector<SoundEffect> SoundEffects();

}  // namespace card::sample
