// Writes the card's sound effects into OUT/<NAME>.wav.
#include <cstdio>
#include <filesystem>
#include <string>

#include "sample/audio/sound_effects.h"
#include "sample/audio/wav_file.h"

int main(int argc, char** argv) {
  using namespace card::sample;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sounds OUT_DIR\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::filesystem::create_directories(out);
  for (const SoundEffect& effect : SoundEffects()) {
    const std::string file = (out / (effect.name + ".wav")).string();
    if (!WriteWav(file, effect.samples, kEffectRate)) {
      std::fprintf(stderr, "make_sounds: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
