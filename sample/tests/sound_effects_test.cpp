// The sound effects are short, clearly audible, never clipped, and start and end at silence
// so they do not click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include "sample/audio/sound_effects.h"

namespace card::sample {
namespace {

TEST(SoundEffects, AreShortCleanAndNamedForScripts) {
  const std::vector<SoundEffect> effects = SoundEffects();
  EXPECT_GE(effects.size(), 3u);
  std::set<std::string> names;
  for (const SoundEffect& e : effects) {
    EXPECT_TRUE(names.insert(e.name).second) << e.name;
    EXPECT_TRUE(std::all_of(e.name.begin(), e.name.end(), [](char c) {
      return std::isupper(c) || c == '_';
    })) << e.name;
    const double seconds = double(e.samples.size()) / kEffectRate;
    EXPECT_GE(seconds, 0.1) << e.name;
    EXPECT_LE(seconds, 2.0) << e.name;
    double peak = 0;
    for (double s : e.samples) peak = std::max(peak, std::abs(s));
    EXPECT_GE(peak, 0.3) << e.name;
    EXPECT_LE(peak, 0.95) << e.name;
    // Played from silence into silence: a step at either end would click.
    EXPECT_LT(std::abs(e.samples.front()), 0.02) << e.name << " starts with a click";
    EXPECT_LT(std::abs(e.samples.back()), 0.02) << e.name << " ends with a click";
  }
}

}  // namespace
}  // namespace card::sample
