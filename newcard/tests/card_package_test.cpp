#include "newcard/card_package.h"

#include "newcard/new_card_file.h"
#include "newcard/tests/memory_package_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace card {
namespace {

using namespace std::string_view_literals;

using Bytes = std::vector<std::uint8_t>;

using test::MemoryPackageFile;

Bytes WithOffset(Bytes content, std::uint32_t offset) {
  for (int shift = 0; shift < 32; shift += 8) content.push_back(std::uint8_t(offset >> shift));
  return content;
}

Bytes Text(std::string_view text) { return {text.begin(), text.end()}; }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(WriteMessageIntoPackage, OverwritesTheAreaInPlaceUpToTheOffset) {
  // "MZ" stands for the package's own content; the old message "Old text!" lies at offset 2,
  // and the area, cut short by the offset at the end, is zeros after the new message's NUL.
  const Bytes old = WithOffset(Text("MZOld text!\0rest....."sv), 2);
  const struct {
    CardMessage message;
    std::string_view content;
  } cases[] = {
      {{"Hi", false}, "MZHi\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"sv},
      {{"Hi", true}, "MZHi\xFF\xFF\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"sv},
      {{"", false}, "MZ\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"sv},
      {{"New text\r\nis here!", false}, "MZNew text\r\nis here!\0"sv},
  };
  for (const auto& c : cases) {
    Bytes bytes = old;
    MemoryPackageFile package(bytes);
    const Status written = WriteMessageIntoPackage(package, c.message);
    EXPECT_TRUE(written.ok()) << written.error();
    EXPECT_EQ(bytes, WithOffset(Text(c.content), 2)) << c.message.text;
  }
}

TEST(WriteMessageIntoPackage, LeavesNothingOfALongerOldMessage) {
  // A whole area holding the longest message, then bytes of the package after the area.
  Bytes area(kMessageAreaSize, 0);
  std::fill_n(area.begin(), kMaxNewMessageLength, 'x');
  const Bytes old = WithOffset(Concat({Text("MZ"), area, Text("TAIL")}), 2);
  Bytes bytes = old;
  MemoryPackageFile package(bytes);
  ASSERT_TRUE(WriteMessageIntoPackage(package, {"Hello!", false}).ok());

  Bytes newArea(kMessageAreaSize, 0);
  std::copy_n("Hello!", 6, newArea.begin());
  EXPECT_EQ(bytes, WithOffset(Concat({Text("MZ"), newArea, Text("TAIL")}), 2));
}

TEST(WriteMessageIntoPackage, RefusesAnAreaOutsideTheContent) {
  const CardMessage hi{"Hi", false};  // needs three bytes
  const struct {
    Bytes package;
    std::string error;
  } cases[] = {
      {{},
       "The card package has no room for the message: it is 0 bytes long, too short to hold "
       "the message's offset."},
      {{1, 0, 0},
       "The card package has no room for the message: it is 3 bytes long, too short to "
       "hold the message's offset."},
      {WithOffset({}, 0),
       "The card package has no room for the message: the message offset it "
       "stores (0) lies outside its first 0 bytes."},
      {WithOffset(Text("abcdef"), 6),
       "The card package has no room for the message: the message "
       "offset it stores (6) lies outside its first 6 bytes."},
      {WithOffset(Text("abcdef"), 0xFFFFFFFF),
       "The card package has no room for the message: the message offset it stores (4294967295) "
       "lies outside its first 6 bytes."},
      {WithOffset(Text("abcdef"), 4),
       "The card package has no room for the message: the message "
       "needs 3 bytes at offset 4, but only 2 lie before the offset "
       "stored at its end."},
  };
  for (const auto& c : cases) {
    Bytes bytes = c.package;
    MemoryPackageFile package(bytes);
    EXPECT_EQ(WriteMessageIntoPackage(package, hi).error(), c.error);
    EXPECT_EQ(bytes, c.package);
  }
  Bytes exactFitBytes = WithOffset(Text("abcdef"), 3);
  MemoryPackageFile exactFit(exactFitBytes);
  EXPECT_TRUE(WriteMessageIntoPackage(exactFit, hi).ok());
  EXPECT_EQ(exactFitBytes, WithOffset(Concat({Text("abcHi"), {0}}), 3));
}

TEST(WriteMessageIntoPackage, PassesOnFileErrors) {
  Bytes bytes = WithOffset(Text("abcdef"), 0);
  MemoryPackageFile package(bytes);
  package.failWrites = true;
  EXPECT_EQ(WriteMessageIntoPackage(package, {"Hi", false}).error(), "disk full");
}

TEST(BuildCardPackage, AppendsAreaAndOffset) {
  const Bytes base = Text("BASE");
  const auto package = BuildCardPackage(base, {"Hi", true});
  ASSERT_TRUE(package.ok()) << package.error();
  ASSERT_EQ(package->size(), base.size() + kMessageAreaSize + kMessageOffsetSize);
  Bytes area(kMessageAreaSize, 0);
  std::copy_n(Bytes{'H', 'i', 0xFF, 0xFF}.begin(), 4, area.begin());
  EXPECT_EQ(*package, WithOffset(Concat({base, area}), 4));

  // The built package takes a new message like any other.
  Bytes patchedBytes = *package;
  MemoryPackageFile patched(patchedBytes);
  ASSERT_TRUE(WriteMessageIntoPackage(patched, {std::string(487, 'x'), true}).ok());
  EXPECT_EQ(DecodeMessage(ByteView(patchedBytes).subspan(4, 489)),
            (CardMessage{std::string(487, 'x'), true}));
}

TEST(BuildCardPackage, RefusesAMessageLongerThanTheArea) {
  EXPECT_TRUE(BuildCardPackage({}, {std::string(487, 'x'), true}).ok());
  EXPECT_TRUE(BuildCardPackage({}, {std::string(489, 'x'), false}).ok());
  const auto tooLong = BuildCardPackage({}, {std::string(488, 'x'), true});
  EXPECT_EQ(tooLong.error(),
            "The message is too long for a card: it needs 491 bytes with its end marks, and a "
            "card holds 490.");
}

}  // namespace
}  // namespace card
