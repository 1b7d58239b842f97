// The bytes of a small Windows program made in code: real headers and two sections, optionally
// a symbol table (as unstripped mingw programs have) and a signature, but no code that runs.
// Enough for everything that only reads where a program ends.
#pragma once

#include <cstdint>
#include <vector>

namespace card::test {

struct TestProgramShape {
  bool pe32Plus = false;         // the 64-bit header
  std::uint32_t symbols = 0;     // COFF symbols after the sections, and a string table
  bool signature = false;        // a certificate table at the very end
};

std::vector<std::uint8_t> TestProgram(const TestProgramShape& shape = {});

// Where the second section's raw data lies, for tests that change a byte of the program.
constexpr std::size_t kTestProgramDataOffset = 0x400;

}  // namespace card::test
