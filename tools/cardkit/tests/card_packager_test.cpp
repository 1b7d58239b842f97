// Card packages: the program's bytes, a 490-byte message area holding the message, its end
// marks and zeros, then the area's offset; messages past the card's limits are refused.
#include "tools/cardkit/card_packager.h"

#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

std::uint32_t LittleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TEST(CardPackager, LaysOutProgramMessageAreaAndOffset) {
  struct Case {
    std::string msgTxt;
    std::string area;  // the area's bytes up to its first zero padding
  };
  const Case cases[] = {
      {"Dear Anna,\r\nhi", std::string("Dear Anna,\r\nhi\0", 15)},
      {"Centred\xFF\xFF", std::string("Centred\xFF\xFF\0", 10)},
      {"", std::string("\0", 1)},
      {std::string(487, 'x') + "\xFF\xFF", std::string(487, 'x') + std::string("\xFF\xFF\0", 3)},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    const std::vector<std::uint8_t> program = {'M', 'Z', 1, 2, 3, 0, 0, 7, 9};
    test::WriteFile(dir.Path() / "card.exe", program);
    test::WriteFile(dir.Path() / "msg.txt", c.msgTxt);
    const Status status =
        PackageCard(dir.Path() / "card.exe", dir.Path() / "msg.txt", dir.Path() / "ANNA.EXE");
    ASSERT_TRUE(status) << status.error();

    const std::vector<std::uint8_t> package = test::ReadFile(dir.Path() / "ANNA.EXE");
    ASSERT_EQ(package.size(), program.size() + 490 + 4);
    EXPECT_TRUE(std::equal(program.begin(), program.end(), package.begin()));
    const std::string area(package.begin() + program.size(),
                           package.begin() + program.size() + 490);
    EXPECT_EQ(area.substr(0, c.area.size()), c.area);
    EXPECT_EQ(area.find_first_not_of('\0', c.area.size()), std::string::npos)
        << "the rest of the area is zeros";
    EXPECT_EQ(LittleEndian32(package, package.size() - 4), program.size());
  }
}

TEST(CardPackager, RefusesWhatCannotMakeAPackage) {
  struct Case {
    const char* what;
    std::string msgTxt;  // empty name: no msg.txt
    bool withProgram;
    const char* says;
  };
  const Case cases[] = {
      {"a message of 488 characters", std::string(488, 'x'), true, "488 characters"},
      {"a message of 8 lines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8", true, "8 lines"},
      {"a file beyond 500 bytes", std::string(501, 'x'), true, "500 bytes"},
      {"no program", "hi", false, "card.exe is missing"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    if (c.withProgram) test::WriteFile(dir.Path() / "card.exe", std::string_view("MZ"));
    test::WriteFile(dir.Path() / "msg.txt", c.msgTxt);
    const Status status =
        PackageCard(dir.Path() / "card.exe", dir.Path() / "msg.txt", dir.Path() / "OUT.EXE");
    ASSERT_FALSE(status) << c.what;
    EXPECT_NE(status.error().find(c.says), std::string::npos) << c.what << ": " << status.error();
    EXPECT_FALSE(fs::exists(dir.Path() / "OUT.EXE")) << c.what;
  }
}

}  // namespace
}  // namespace card::kit
