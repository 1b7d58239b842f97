// Where a program ends: past its sections, its symbols and strings, and its signature; what is
// appended is not the program's, and headers that are not a program's or that reach past the
// file are refused.
#include "package/program_image.h"

#include "common/byte_writer.h"
#include "package/tests/test_program.h"

#include <gtest/gtest.h>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ProgramImage, EndsAfterItsLastPartWhateverIsAppended) {
  const test::TestProgramShape shapes[] = {
      {}, {.pe32Plus = true}, {.symbols = 5}, {.signature = true},
      {.pe32Plus = true, .symbols = 3, .signature = true}};
  for (const test::TestProgramShape& shape : shapes) {
    Bytes program = test::TestProgram(shape);
    const std::size_t size = program.size();
    Result<std::uint64_t> end = ProgramImageEnd(program);
    ASSERT_TRUE(end) << end.error();
    EXPECT_EQ(*end, size);
    program.resize(size + 777, 0x5A);
    end = ProgramImageEnd(program);
    ASSERT_TRUE(end) << end.error();
    EXPECT_EQ(*end, size) << "appended bytes are not the program's";
  }
}

TEST(ProgramImage, RefusesWhatIsNoProgramOrReachesPastTheFile) {
  const Bytes plain = test::TestProgram();
  const Bytes withSymbols = test::TestProgram({.symbols = 4});
  struct Case {
    const char* what;
    Bytes bytes;
    const char* says;
  };
  auto changed = [](Bytes bytes, std::size_t at, std::uint32_t value) {
    PutU32(bytes, at, value);
    return bytes;
  };
  const Case cases[] = {
      {"nothing", {}, "not a Windows program"},
      {"no MZ", changed(plain, 0, 0x00005A4E), "not a Windows program"},
      {"the new header past the end", changed(plain, 0x3C, 0x10000), "not a Windows program"},
      {"no PE signature", changed(plain, 0x40, 0x00004551), "not a Windows program"},
      {"an unknown optional header", changed(plain, 0x58, 0x0107), "not a Windows program"},
      {"97 sections", changed(plain, 0x46, 97), "not a Windows program"},
      {"cut in its sections", Bytes(plain.begin(), plain.end() - 1), "cut short"},
      {"cut in its symbols", Bytes(withSymbols.begin(), withSymbols.end() - 20), "cut short"},
      {"cut in its strings", Bytes(withSymbols.begin(), withSymbols.end() - 2), "cut short"},
      {"a section past the end", changed(plain, 0x138 + 40 + 16, 0x10000), "cut short"},
  };
  for (const Case& c : cases) {
    Result<std::uint64_t> end = ProgramImageEnd(c.bytes);
    ASSERT_FALSE(end) << c.what;
    EXPECT_NE(end.error().find(c.says), std::string::npos) << c.what << ": " << end.error();
  }
}

}  // namespace
}  // namespace card
