// Writes a few well-formed Card.WAS files into the folder named on the command line, as the
// starting corpus of was_fuzzer: an empty bank, one short clip, and several clips whose names
// sort by signed bytes.
#include "sound/was_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

bool Save(const std::filesystem::path& folder, const char* name,
          const std::vector<card::WasSound>& sounds) {
  auto bytes = card::WriteWas(sounds);
  if (!bytes) {
    std::fprintf(stderr, "%s: %s\n", name, bytes.error().c_str());
    return false;
  }
  std::ofstream out(folder / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes->data()),
            static_cast<std::streamsize>(bytes->size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const std::vector<std::uint8_t> tick = {0x00, 0x10, 0x00, 0xF0};
  const bool ok =
      Save(folder, "seed-empty.was", {}) && Save(folder, "seed-one.was", {{"TICK", tick}}) &&
      Save(folder, "seed-several.was",
           {{"boing", {1, 2, 3, 4, 5, 6}}, {"\xC9T\xC9", tick}, {"A", {}}, {"AB", tick}});
  return ok ? 0 : 1;
}
