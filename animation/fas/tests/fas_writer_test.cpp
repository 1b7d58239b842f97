// The writer against the hand-built bytes (exact layout for each shape of tables A and B), a
// larger file read back through FasFile, and the contents it refuses to store.
#include "animation/fas/fas_writer.h"

#include "animation/fas/fas_file.h"
#include "animation/fas/tests/hand_built_fas.h"

#include <gtest/gtest.h>

namespace card {
namespace {

using testing::HandFasShape;

PaletteRecord HandRecord(int transparent) {
  const auto bytes = testing::HandBuiltRecord(transparent);
  PaletteRecord record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return record;
}

// The hand-built fixture's contents, with scripts and frames deliberately out of order.
FasContents HandContents(HandFasShape shape) {
  FasContents contents;
  for (std::uint32_t word = 0; word < 14; ++word) contents.headerWords[word] = 0x1000 + word;
  contents.width = 2;
  contents.height = 2;
  contents.frameBytes = 8;
  for (int transparent : testing::kHandTransparent)
    contents.paletteRecords.push_back(HandRecord(transparent));
  for (std::uint32_t i = 0; i < shape.countA; ++i) contents.tableA.push_back(0xA0A0A000u + i);
  for (std::uint8_t i = 0; i < shape.countB; ++i) contents.tableB.push_back({0xB0, i});
  contents.scripts = {{"walk", "2 -2"}, {"do", "1 912"}};
  for (int frame = 4; frame >= 0; --frame) {
    FasFrame written{testing::kHandKeys[frame], testing::kHandPaletteIndexes[frame], {}};
    for (int byte = 0; byte < 8; ++byte) written.pixels.push_back(testing::HandPixel(frame, byte));
    contents.frames.push_back(written);
  }
  return contents;
}

TEST(FasWriter, WritesTheHandBuiltLayout) {
  for (HandFasShape shape :
       {HandFasShape{1, 2}, HandFasShape{0, 0}, HandFasShape{1, 0}, HandFasShape{3, 1}}) {
    SCOPED_TRACE("A = " + std::to_string(shape.countA) + ", B = " + std::to_string(shape.countB));
    auto written = WriteFas(HandContents(shape));
    ASSERT_TRUE(written.ok()) << written.error();
    EXPECT_EQ(*written, testing::HandBuiltFas(shape));
  }
}

TEST(FasWriter, WritesWhatTheReaderFindsAgain) {
  FasContents contents;
  contents.width = 9;
  contents.height = 5;
  contents.frameBytes = *FrameBytesFor(9, 5);
  std::array<Rgb, kPaletteColours> colours{};
  for (int r = 0; r < 3; ++r)
    contents.paletteRecords.push_back(*MakePaletteRecord(colours, r, 9, 5));
  // Names with high bytes and shared prefixes, keys spread over the whole 16-bit range.
  for (int i = 0; i < 60; ++i) {
    std::string name = "s" + std::to_string(i * 7919 % 1000);
    if (i % 3 == 0) name += static_cast<char>(0x80 + i);
    contents.scripts.push_back({name, "text of " + name});
  }
  for (int i = 0; i < 300; ++i) {
    FasFrame frame{static_cast<std::uint16_t>(i * 2039 % 65536), static_cast<std::uint8_t>(i % 3),
                   std::vector<std::uint8_t>(contents.frameBytes, static_cast<std::uint8_t>(i))};
    contents.frames.push_back(frame);
  }
  auto written = WriteFas(contents);
  ASSERT_TRUE(written.ok()) << written.error();
  auto fas = FasFile::FromBytes(*written, "Card.FAS");
  ASSERT_TRUE(fas.ok()) << fas.error();
  for (const FasScript& script : contents.scripts) {
    const char* text = fas.value()->FindScript(script.name);
    ASSERT_NE(text, nullptr) << script.name;
    EXPECT_EQ(text, script.text);
  }
  for (std::uint32_t i = 1; i < fas.value()->FrameCount(); ++i) {
    EXPECT_LT(fas.value()->FrameKey(i - 1), fas.value()->FrameKey(i));
  }
  for (const FasFrame& frame : contents.frames) {
    EXPECT_EQ(*fas.value()->FrameBits(frame.key), frame.pixels[0]) << frame.key;
    EXPECT_EQ(fas.value()->ImageInfo(frame.key),
              fas.value()->Bytes().data() + 68 + 208 * frame.paletteIndex);
  }
}

TEST(FasWriter, RefusesContentsItCannotStore) {
  struct Case {
    const char* what;
    void (*change)(FasContents&);
  };
  const Case cases[] = {
      {"table B without table A", [](FasContents& c) { c.tableA.clear(); }},
      {"a table B entry of the wrong size", [](FasContents& c) { c.tableB[0].push_back(0); }},
      {"two frames with one key", [](FasContents& c) { c.frames[1].key = c.frames[0].key; }},
      {"a frame of the wrong size", [](FasContents& c) { c.frames[2].pixels.pop_back(); }},
      {"two scripts with one name", [](FasContents& c) { c.scripts[1].name = "walk"; }},
      {"an empty script name", [](FasContents& c) { c.scripts[0].name.clear(); }},
      {"a NUL in a script name", [](FasContents& c) { c.scripts[0].name += '\0'; }},
      {"a NUL in a script", [](FasContents& c) { c.scripts[0].text += '\0'; }},
      {"too many palette records", [](FasContents& c) { c.paletteRecords.resize(65536); }},
  };
  for (const Case& c : cases) {
    FasContents contents = HandContents({1, 2});
    c.change(contents);
    auto written = WriteFas(contents);
    EXPECT_FALSE(written.ok()) << c.what;
    EXPECT_FALSE(written.error().empty()) << c.what;
  }
}

}  // namespace
}  // namespace card
