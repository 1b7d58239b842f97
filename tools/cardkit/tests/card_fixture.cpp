// Writes the test card through the content-file writers.
#include "tools/cardkit/tests/card_fixture.h"

#include "animation/fas/fas_writer.h"
#include "sound/was_writer.h"
#include "tools/cardkit/bitmap_writer.h"
#include "animation/image/packed_pixels.h"
#include "tools/cardkit/tests/fixtures.h"

#include <stdexcept>

namespace card::kit::test {
namespace {

constexpr int kSide = 4;

std::vector<std::uint8_t> Bitmap() {
  RgbaImage picture = FilledImage(8, 8, {255, 255, 255, 255});
  picture.At(3, 3) = {255, 0, 0, 255};
  return *WriteBitmap(picture, "test");
}

std::vector<std::uint8_t> Animation(const CardSpec& spec) {
  FasContents contents;
  contents.width = kSide;
  contents.height = kSide;
  contents.frameBytes = *FrameBytesFor(kSide, kSide);
  std::array<Rgb, kPaletteColours> colours{};
  colours[1] = {200, 30, 30};
  contents.paletteRecords.push_back(*MakePaletteRecord(colours, 0, kSide, kSide));
  for (std::uint16_t key : spec.frameKeys) {
    std::vector<std::uint8_t> indices(kSide * kSide, 1);
    indices[0] = 0;
    contents.frames.push_back({key, 0, PackBottomUp(indices, kSide, kSide, 4)});
  }
  for (const auto& [name, text] : spec.scripts) contents.scripts.push_back({name, text});
  auto bytes = WriteFas(contents);
  if (!bytes) throw std::runtime_error(bytes.error());
  return *bytes;
}

}  // namespace

void WriteCard(const std::filesystem::path& folder, const CardSpec& spec) {
  WriteFile(folder / "Layout.txt", spec.layout);
  WriteFile(folder / "msg.txt", spec.message);
  WriteFile(folder / "Card.FAS", Animation(spec));
  if (!spec.sounds.empty()) {
    std::vector<WasSound> sounds;
    for (const std::string& name : spec.sounds) {
      sounds.push_back({name, std::vector<std::uint8_t>(1600, 0)});
    }
    WriteFile(folder / "Card.WAS", *WriteWas(sounds));
  }
  for (const std::string& name : spec.bitmaps) WriteFile(folder / name, Bitmap());
  for (const std::string& name : spec.otherFiles) WriteFile(folder / name, std::string_view("x"));
}

}  // namespace card::kit::test
