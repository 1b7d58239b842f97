// Writes a few well-formed Card.WAS files into the folder named on the command line, as the
// starting corpus of was_fuzzer: an empty bank, one short clip, and several clips whose names
// sort by signed bytes.
#include "common/tests/seed_file.h"
#include "sound/was_writer.h"

#include <filesystem>

int main(int argc, char** argv) {
  const std::optional<std::filesystem::path> corpus = card::testing::SeedFolder(argc, argv);
  if (!corpus) return 2;
  const std::filesystem::path& folder = *corpus;
  const std::vector<std::uint8_t> tick = {0x00, 0x10, 0x00, 0xF0};
  using card::WriteWas;
  using card::testing::SaveSeed;
  const std::vector<card::WasSound> several = {
      {"boing", {1, 2, 3, 4, 5, 6}}, {"\xC9T\xC9", tick}, {"A", {}}, {"AB", tick}};
  const bool ok = SaveSeed(folder / "seed-empty.was", WriteWas({})) &&
                  SaveSeed(folder / "seed-one.was", WriteWas({{"TICK", tick}})) &&
                  SaveSeed(folder / "seed-several.was", WriteWas(several));
  return ok ? 0 : 1;
}
