// Writes the card's background tune to OUT.mid.
#include <cstdio>
#include <fstream>
#include <vector>

#include "sample/audio/carol.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_tune OUT.mid\n");
    return 2;
  }
  const std::vector<uint8_t> bytes = card::sample::CarolMidi();
  std::ofstream file(argv[1], std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file) {
    std::fprintf(stderr, "make_tune: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
