// The mask and colour tables of transparent drawing, built from a bitmap's own colour table.
#include "animation/image/transparency_tables.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace card {
namespace {

constexpr TableColour kWhite{255, 255, 255, 0};
constexpr TableColour kBlack{0, 0, 0, 0};

TableColour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t reserved = 0) {
  return {blue, green, red, reserved};
}

struct TablesCase {
  const char* what;
  std::vector<TableColour> saved;
  std::uint32_t key, swapFrom, swapTo;
  std::vector<TableColour> mask, colour;
};

void PrintTo(const TablesCase& c, std::ostream* out) { *out << c.what; }

class DrawingTablesTest : public testing::TestWithParam<TablesCase> {};

TEST_P(DrawingTablesTest, MasksTheKeyAndSwapsOnlyWhatIsAsked) {
  const TablesCase& c = GetParam();
  const DrawingTables tables = BuildDrawingTables(c.saved, c.key, c.swapFrom, c.swapTo);
  EXPECT_EQ(tables.mask, c.mask) << c.what;
  EXPECT_EQ(tables.colour, c.colour) << c.what;
}

const TableColour red = Rgb(200, 0, 0), green = Rgb(0, 180, 0), blue = Rgb(0, 0, 160);
const TableColour magenta = Rgb(255, 0, 255);
constexpr std::uint32_t kMagenta = 0x00FF00FF, kGreen = 0x0000B400, kYellow = 0x0000FFFF;

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawingTablesTest,
    testing::Values(
        TablesCase{"no colour table: nothing to build", {}, kMagenta, 0, 0, {}, {}},
        TablesCase{"the key is transparent, the rest drawn as it is",
                   {magenta, red, green},
                   kMagenta, 0, 0,
                   {kWhite, kBlack, kBlack},
                   {kBlack, red, green}},
        TablesCase{"every entry of the key colour is transparent, the reserved byte ignored",
                   {red, magenta, blue, Rgb(255, 0, 255, 7)},
                   kMagenta, 0, 0,
                   {kBlack, kWhite, kBlack, kWhite},
                   {red, kBlack, blue, kBlack}},
        TablesCase{"the top byte of a colour (palette-relative flag) is ignored",
                   {magenta, green},
                   0x02000000 | kMagenta, 0x02000000 | kGreen, kYellow,
                   {kWhite, kBlack},
                   {kBlack, Rgb(255, 255, 0)}},
        TablesCase{"a swap replaces each entry of the from colour, reserved byte cleared",
                   {magenta, Rgb(0, 180, 0, 9), red, green},
                   kMagenta, kGreen, kYellow,
                   {kWhite, kBlack, kBlack, kBlack},
                   {kBlack, Rgb(255, 255, 0), red, Rgb(255, 255, 0)}},
        TablesCase{"equal swap colours swap nothing",
                   {magenta, green},
                   kMagenta, kGreen, kGreen,
                   {kWhite, kBlack},
                   {kBlack, green}},
        TablesCase{"a swap from the key colour swaps nothing: the key stays transparent",
                   {magenta, green},
                   kMagenta, kMagenta, kYellow,
                   {kWhite, kBlack},
                   {kBlack, green}},
        TablesCase{"a swap to the key colour keeps the swapped entry opaque",
                   {magenta, green},
                   kMagenta, kGreen, kMagenta,
                   {kWhite, kBlack},
                   {kBlack, magenta}},
        TablesCase{"a key colour found nowhere leaves the picture opaque",
                   {red, green},
                   0x00123456, 0, 0,
                   {kBlack, kBlack},
                   {red, green}}));

}  // namespace
}  // namespace card
