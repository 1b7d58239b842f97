// Writes Card.FAS from plain contents, for the authoring tool, tests and fuzz seeds: scripts
// sorted by CompareNames, frames by key, each section straight after the one before.
#pragma once

#include "animation/fas/palette_record.h"
#include "common/result.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace card {

struct FasScript {
  std::string name;
  std::string text;  // without its ending NUL
};

struct FasFrame {
  std::uint16_t key = 0;
  std::uint8_t paletteIndex = 0;
  std::vector<std::uint8_t> pixels;  // exactly frameBytes bytes
};

struct FasContents {
  std::array<std::uint32_t, 14> headerWords{};  // stored as they are; the card ignores them
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t frameBytes = 0;  // S
  std::vector<PaletteRecord> paletteRecords;
  std::vector<std::uint32_t> tableA;
  // Each entry as long as the 32-bit value at bytes 8-11 of the first palette record; a file
  // stores table B only when table A is not empty.
  std::vector<std::vector<std::uint8_t>> tableB;
  std::vector<FasScript> scripts;
  std::vector<FasFrame> frames;  // any order
};

// Fails with a sentence when the contents cannot be stored as they are: a count beyond its
// 16-bit field, table B without table A or with entries of the wrong size, a frame whose pixels
// are not frameBytes long, two frames with one key, a bad or repeated script name. It does not
// judge what the reader checks beyond the layout (sizes, palette indexes, frame count): read
// the result back with FasFile::FromBytes for that.
Result<std::vector<std::uint8_t>> WriteFas(const FasContents& contents);

}  // namespace card
