// CompareNames and the directory's binary search: signed byte order (0x80 and up before the
// NUL), exact case, empty directories, and the search's own path through an unsorted table.
#include "content/name_directory.h"

#include "common/tests/byte_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

using testing::ByteBuilder;

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareNames, OrdersBytesAsSignedWithTheNulIncluded) {
  struct Case {
    std::string a, b;
    int order;
  };
  const Case cases[] = {
      {"do", "do", 0},
      {"", "", 0},
      {"a", "b", -1},
      {"walk", "do", 1},
      {"do", "dog", -1},                   // the NUL ends the shorter name
      {"Z", "a", -1},                      // case matters: 'Z' is 0x5A, 'a' 0x61
      {"\x80", "", -1},                    // 0x80 is -128, below the NUL
      {"a\xE9", "a", -1},                  // so a longer name with a high byte sorts first
      {"\xFF", "\x01", -1},
      {"\xFF", "\x80", 1},                 // -1 after -128
      {"\x7F", "\x80", 1},
      {std::string("ab\0c", 4), "ab", 0},  // a name ends at its first NUL
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(CompareNames(c.a, c.b)), c.order) << '"' << c.a << "\" vs \"" << c.b << '"';
    EXPECT_EQ(Sign(CompareNames(c.b, c.a)), -c.order) << '"' << c.b << "\" vs \"" << c.a << '"';
  }
}

// A directory at byte 3 of its file, after three filler bytes, whose entry i has the value
// byte 100 + i. Values follow all names, in the order given.
std::vector<std::uint8_t> Directory(const std::vector<std::string>& names) {
  ByteBuilder out;
  out.U8(0xEE).U8(0xEE).U8(0xEE);
  out.U32(0x12345678).U32(static_cast<std::uint32_t>(names.size()));
  std::uint32_t nameOffset = 0;
  std::uint32_t valueOffset = 0;
  for (const std::string& name : names) valueOffset += static_cast<std::uint32_t>(name.size() + 1);
  for (const std::string& name : names) {
    out.U32(nameOffset).U32(valueOffset++);
    nameOffset += static_cast<std::uint32_t>(name.size() + 1);
  }
  for (const std::string& name : names) out.Text(name);
  for (std::size_t i = 0; i < names.size(); ++i) out.U8(static_cast<std::uint8_t>(100 + i));
  return out.Bytes();
}

// The value byte found under `name`, or -1.
int ValueFound(const std::vector<std::uint8_t>& file, const NameDirectory& directory,
               std::string_view name) {
  auto offset = directory.Find(name);
  return offset ? file.at(*offset) : -1;
}

TEST(NameDirectory, FindsEveryNameOfASignedOrderTable) {
  const std::vector<std::string> names = {"\x80", "A\xFF", "A", "AB", "a", "do", "walk"};
  const auto file = Directory(names);
  auto directory = NameDirectory::Parse(file, 3, "test", "entry");
  ASSERT_TRUE(directory.ok()) << directory.error();
  EXPECT_EQ(directory->FirstWord(), 0x12345678u);
  ASSERT_EQ(directory->Count(), names.size());
  EXPECT_EQ(directory->End(), 3u + 8 + 8 * names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(directory->Name(i), names[i]);
    EXPECT_EQ(ValueFound(file, *directory, names[i]), static_cast<int>(100 + i)) << i;
  }
  for (const char* absent : {"", "\x81", "A\x80", "b", "Do", "DO", "walks", "wal", "\x7F"}) {
    EXPECT_EQ(ValueFound(file, *directory, absent), -1) << absent;
  }
}

TEST(NameDirectory, AnEmptyDirectoryFindsNothing) {
  const auto file = Directory({});
  auto directory = NameDirectory::Parse(file, 3, "test", "entry");
  ASSERT_TRUE(directory.ok()) << directory.error();
  EXPECT_EQ(directory->Count(), 0u);
  for (const char* name : {"", "do", "\x80"}) EXPECT_EQ(ValueFound(file, *directory, name), -1);
  EXPECT_FALSE(NameDirectory().Find("do"));
}

// The search is the binary search stored files were made for, not a scan: in an unsorted table
// it finds what that search reaches and nothing else.
TEST(NameDirectory, SearchesAnUnsortedTableTheSameWay) {
  const auto file = Directory({"c", "a", "b"});
  auto directory = NameDirectory::Parse(file, 3, "test", "entry");
  ASSERT_TRUE(directory.ok()) << directory.error();
  EXPECT_EQ(ValueFound(file, *directory, "a"), 101);  // mid = 1
  EXPECT_EQ(ValueFound(file, *directory, "b"), 102);  // then mid = 2
  EXPECT_EQ(ValueFound(file, *directory, "c"), -1);   // passed over
}

TEST(NameDirectory, AValueOutsideTheFileIsNotFound) {
  auto file = Directory({"do"});
  file[3 + 12] = 0xFF;  // value offset of entry 0, low byte
  auto directory = NameDirectory::Parse(file, 3, "test", "entry");
  ASSERT_TRUE(directory.ok()) << directory.error();
  EXPECT_EQ(directory->ValueOffset(0), 3u + 16 + 0xFF);
  EXPECT_EQ(ValueFound(file, *directory, "do"), -1);
}

}  // namespace
}  // namespace card
