// The bank writer: names upper-cased and in signed byte order, each clip after its name, and
// the names it cannot store.
#include "sound/was_writer.h"

#include "common/tests/byte_builder.h"
#include "sound/was_file.h"

#include <gtest/gtest.h>

namespace card {
namespace {

TEST(WasWriter, WritesUpperCaseNamesInSignedOrder) {
  auto written = WriteWas({{"zap", {9, 8}}, {"\xC9T\xC9", {}}, {"Boing", {1, 2, 3, 4}}});
  ASSERT_TRUE(written.ok()) << written.error();
  // 0xC9 is negative as a signed byte, so that name sorts first.
  testing::ByteBuilder expected;
  expected.U32(0).U32(3);
  expected.U32(0).U32(4).U32(8).U32(14).U32(22).U32(26);
  expected.Text("\xC9T\xC9").U32(0);
  expected.Text("BOING").U32(4).U8(1).U8(2).U8(3).U8(4);
  expected.Text("ZAP").U32(2).U8(9).U8(8);
  EXPECT_EQ(*written, expected.Bytes());

  auto bank = WasFile::FromBytes(*written, "Card.WAS");
  ASSERT_TRUE(bank.ok()) << bank.error();
  ASSERT_TRUE(bank.value()->FindSound("Zap"));
  EXPECT_EQ(bank.value()->FindSound("Zap")->size(), 2u);
}

TEST(WasWriter, WritesAnEmptyBank) {
  auto written = WriteWas({});
  ASSERT_TRUE(written.ok()) << written.error();
  EXPECT_EQ(*written, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(WasWriter, RefusesNamesItCannotStore) {
  EXPECT_FALSE(WriteWas({{"beep", {}}, {"BEEP", {1, 2}}}).ok());  // equal once upper-cased
  EXPECT_FALSE(WriteWas({{"", {}}}).ok());
  EXPECT_FALSE(WriteWas({{std::string("be\0ep", 5), {}}}).ok());
}

}  // namespace
}  // namespace card
