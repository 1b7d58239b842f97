// Fuzzes Card.WAS reading: any bytes either are refused with a message or give a bank whose
// every clip lies inside the bytes (the sanitizers watch each read).
#include "sound/was_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

volatile std::uint32_t g_sink;  // where the sums go, so the reads are not optimised away

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

std::uint32_t Touch(card::ByteView bytes) {
  std::uint32_t sum = 0;
  for (std::uint8_t byte : bytes) sum += byte;
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto bank = card::WasFile::FromBytes(card::ByteView(data, size), "fuzz.was");
  if (!bank) {
    Require(!bank.error().empty());
    return 0;
  }
  const card::WasFile& file = *bank.value();
  const card::NameDirectory& sounds = file.Sounds();
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < sounds.Count(); ++i) {
    sum += Touch(file.Clip(i));
    const std::string name(sounds.Name(i));
    if (auto clip = file.FindSound(name)) sum += Touch(*clip);
    if (auto clip = file.FindSound(card::SoundNameKey(name) + "x")) sum += Touch(*clip);
  }
  Require(!file.FindSound("").has_value() || sounds.Count() > 0);
  g_sink = sum;
  return 0;
}
