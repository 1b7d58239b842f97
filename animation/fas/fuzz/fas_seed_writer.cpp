// Writes a few well-formed Card.FAS files into the folder named on the command line, as the
// starting corpus of fas_fuzzer: the smallest file, one with tables A and B, and one with many
// scripts and sparse keys.
#include "animation/fas/fas_writer.h"
#include "common/tests/seed_file.h"

#include <filesystem>

namespace {

card::FasContents Frames(std::int32_t width, std::int32_t height, int records, int frames) {
  card::FasContents contents;
  contents.width = width;
  contents.height = height;
  contents.frameBytes = *card::FrameBytesFor(width, height);
  std::array<card::Rgb, card::kPaletteColours> colours{};
  for (int i = 0; i < 16; ++i) colours[i] = {std::uint8_t(i * 16), std::uint8_t(255 - i * 16), 7};
  for (int r = 0; r < records; ++r) {
    contents.paletteRecords.push_back(
        *card::MakePaletteRecord(colours, std::uint8_t(r), width, height));
  }
  for (int f = 0; f < frames; ++f) {
    contents.frames.push_back({static_cast<std::uint16_t>(f * 977 + 1), std::uint8_t(f % records),
                               std::vector<std::uint8_t>(contents.frameBytes, std::uint8_t(f))});
  }
  return contents;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<std::filesystem::path> corpus = card::testing::SeedFolder(argc, argv);
  if (!corpus) return 2;
  const std::filesystem::path& folder = *corpus;

  card::FasContents smallest = Frames(1, 1, 1, 1);
  smallest.scripts = {{"do", "0"}};

  card::FasContents tables = Frames(3, 2, 2, 3);
  tables.tableA = {1, 2};
  tables.tableB = {{1, 2}, {3, 4}, {5, 6}};  // entries as long as the height in the first record
  tables.scripts = {{"do", "1 978 1955"}, {"walk", "978*3"}};

  card::FasContents many = Frames(8, 4, 3, 40);
  for (int i = 0; i < 30; ++i) {
    std::string name = "s" + std::to_string(i);
    if (i % 4 == 0) name += '\xA9';
    many.scripts.push_back({name, "1 " + std::to_string(i)});
  }

  using card::testing::SaveSeed;
  const bool ok = SaveSeed(folder / "seed-smallest.fas", card::WriteFas(smallest)) &&
                  SaveSeed(folder / "seed-tables.fas", card::WriteFas(tables)) &&
                  SaveSeed(folder / "seed-many.fas", card::WriteFas(many));
  return ok ? 0 : 1;
}
