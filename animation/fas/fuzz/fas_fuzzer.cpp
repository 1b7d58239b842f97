// Fuzzes Card.FAS reading: any bytes either are refused with a message or give a file whose
// every lookup stays inside the bytes (the sanitizers watch each read).
#include "animation/fas/fas_file.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Reads every byte of [data, data + size) so that a pointer outside the input is caught.
std::uint32_t Touch(const std::uint8_t* data, std::size_t size) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += data[i];
  return sum;
}

// Where the sums go, so the reads are not optimised away.
volatile std::uint32_t g_sink;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void ExerciseFrame(const card::FasFile& fas, std::int32_t frameId, std::uint32_t& sink) {
  const std::uint32_t index = fas.FrameIndex(frameId);
  Require(index < fas.FrameCount());
  sink += Touch(fas.FrameBits(frameId), fas.FrameBytes());
  sink += Touch(fas.ImageInfo(frameId), card::kBitmapInfoBlockSize);
  sink += Touch(fas.MaskInfo(frameId), card::kBitmapInfoBlockSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto fas = card::FasFile::FromBytes(card::ByteView(data, size), "fuzz.fas");
  if (!fas) {
    Require(!fas.error().empty());
    return 0;
  }
  const card::FasFile& file = *fas.value();
  Require(file.Width() > 0 && file.Height() > 0 && file.FrameCount() > 0);
  std::uint32_t sink = 0;

  const card::NameDirectory& scripts = file.Scripts();
  for (std::size_t i = 0; i < scripts.Count(); ++i) {
    if (const char* text = file.FindScript(scripts.Name(i))) sink += std::strlen(text);
  }
  sink += file.FindScript("do") != nullptr;

  for (std::uint32_t i = 0; i < file.FrameCount(); ++i) {
    const std::uint16_t key = file.FrameKey(i);
    Require(file.FindFrameKey(key) <= file.FrameCount());
    ExerciseFrame(file, key, sink);
    ExerciseFrame(file, key - 65536, sink);
  }
  for (std::int32_t id : {0, -1, -2, 65535, INT32_MIN, INT32_MAX}) ExerciseFrame(file, id, sink);
  // A file is never read beyond its end, however its offsets were built.
  Require(file.Bytes().data() == data && file.Bytes().size() == size);
  g_sink = sink;
  return 0;
}
