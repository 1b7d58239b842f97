// The tiny card's Card.FAS, written by the core's writer. Kept apart from the layout, whose
// headers it does not need.
#include "animation/fas/fas_writer.h"
#include "app/tests/tiny_card.h"

#include <stdexcept>
#include <vector>

namespace card::test {

std::unique_ptr<FasFile> TinyFas() {
  std::array<Rgb, kPaletteColours> colours{};
  colours[1] = Rgb{255, 0, 0};
  Result<PaletteRecord> record = MakePaletteRecord(colours, 0, 8, 8);
  if (!record) throw std::runtime_error(record.error());
  FasContents contents;
  contents.width = 8;
  contents.height = 8;
  contents.frameBytes = FrameBytesFor(8, 8).value();
  contents.paletteRecords = {*record};
  contents.scripts = {{"do", "1"}};
  contents.frames = {{1, 0, std::vector<std::uint8_t>(contents.frameBytes, 0x11)}};
  Result<std::vector<std::uint8_t>> bytes = WriteFas(contents);
  if (!bytes) throw std::runtime_error(bytes.error());
  // The file's bytes must outlive it; each card of a test run gets its own copy.
  static std::vector<std::vector<std::uint8_t>> kept;
  kept.push_back(std::move(bytes).value());
  Result<std::unique_ptr<FasFile>> fas = FasFile::FromBytes(kept.back(), "Card.FAS");
  if (!fas) throw std::runtime_error(fas.error());
  return std::move(fas).value();
}

}  // namespace card::test
