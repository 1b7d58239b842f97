// A small Windows program's bytes (see test_program.h).
#include "package/tests/test_program.h"

namespace card::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::size_t at, std::uint32_t value, int size) {
  if (bytes.size() < at + size) bytes.resize(at + size);
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::size_t kPeHeader = 0x40;
constexpr std::size_t kCoff = kPeHeader + 4;
constexpr std::size_t kOptional = kCoff + 20;
constexpr std::uint32_t kFileAlignment = 0x200;

}  // namespace

std::vector<std::uint8_t> TestProgram(const TestProgramShape& shape) {
  Bytes bytes;
  Put(bytes, 0, 0x5A4D, 2);  // "MZ"
  Put(bytes, 0x3C, kPeHeader, 4);
  Put(bytes, kPeHeader, 0x00004550, 4);  // "PE\0\0"

  const std::uint16_t optionalSize = shape.pe32Plus ? 240 : 224;
  Put(bytes, kCoff, shape.pe32Plus ? 0x8664 : 0x014C, 2);  // machine
  Put(bytes, kCoff + 2, 2, 2);                              // sections
  Put(bytes, kCoff + 16, optionalSize, 2);
  Put(bytes, kCoff + 18, 0x0102, 2);  // executable, 32-bit words

  Put(bytes, kOptional, shape.pe32Plus ? 0x20B : 0x10B, 2);
  Put(bytes, kOptional + 36, kFileAlignment, 4);
  Put(bytes, kOptional + 60, kFileAlignment, 4);  // size of the headers
  const std::size_t directories = kOptional + (shape.pe32Plus ? 112 : 96);
  Put(bytes, directories - 4, 16, 4);  // number of data directories

  const std::size_t sections = kOptional + optionalSize;
  const std::uint32_t raw[2][2] = {{0x200, 0x200}, {kTestProgramDataOffset, 0x400}};
  for (int i = 0; i < 2; ++i) {
    const std::size_t section = sections + 40 * i;
    Put(bytes, section, i == 0 ? 0x7865742E : 0x7461642E, 4);  // ".tex", ".dat"
    Put(bytes, section + 16, raw[i][1], 4);
    Put(bytes, section + 20, raw[i][0], 4);
    for (std::uint32_t k = 0; k < raw[i][1]; ++k) {
      Put(bytes, raw[i][0] + k, (k * 31 + i * 7) & 0xFF, 1);
    }
  }

  if (shape.symbols > 0) {
    const std::size_t table = bytes.size();
    Put(bytes, kCoff + 8, static_cast<std::uint32_t>(table), 4);
    Put(bytes, kCoff + 12, shape.symbols, 4);
    const std::size_t strings = table + 18 * shape.symbols;
    Put(bytes, strings, 4 + 6, 4);  // the string table's size counts its own four bytes
    Put(bytes, strings + 4, 0x72616D61, 4);  // "amar"
    Put(bytes, strings + 8, 0x0067, 2);      // "g\0"
  }
  if (shape.signature) {
    const std::size_t certificate = (bytes.size() + 7) / 8 * 8;
    Put(bytes, directories + 8 * 4, static_cast<std::uint32_t>(certificate), 4);
    Put(bytes, directories + 8 * 4 + 4, 16, 4);
    Put(bytes, certificate + 12, 0x5A5A5A5A, 4);
  }
  return bytes;
}

}  // namespace card::test
