// Fixture makers for cardkit's tests.
#include "tools/cardkit/tests/fixtures.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <stdexcept>

namespace card::kit::test {
namespace {

void Append(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void AppendTag(std::vector<std::uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

struct GifReader {
  const std::vector<std::uint8_t>* bytes;
  std::size_t at = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int count) {
  auto* reader = static_cast<GifReader*>(gif->UserData);
  const int n = static_cast<int>(std::min<std::size_t>(count, reader->bytes->size() - reader->at));
  std::memcpy(out, reader->bytes->data() + reader->at, n);
  reader->at += n;
  return n;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
  std::vector<std::uint8_t> out;
  auto write = [](void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(context);
    bytes->insert(bytes->end(), static_cast<std::uint8_t*>(data),
                  static_cast<std::uint8_t*>(data) + size);
  };
  stbi_write_png_to_func(write, &out, image.width, image.height, 4, image.pixels.data(),
                         image.width * 4);
  return out;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int rate,
                                    int channels) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  AppendTag(out, "RIFF");
  Append(out, 36 + dataBytes, 4);
  AppendTag(out, "WAVE");
  AppendTag(out, "fmt ");
  Append(out, 16, 4);
  Append(out, 1, 2);  // PCM
  Append(out, static_cast<std::uint32_t>(channels), 2);
  Append(out, static_cast<std::uint32_t>(rate), 4);
  Append(out, static_cast<std::uint32_t>(rate * channels * 2), 4);
  Append(out, static_cast<std::uint32_t>(channels * 2), 2);
  Append(out, 16, 2);
  AppendTag(out, "data");
  Append(out, dataBytes, 4);
  for (std::int16_t sample : samples) Append(out, static_cast<std::uint16_t>(sample), 2);
  return out;
}

std::vector<ShownGifFrame> ReplayGif(const std::vector<std::uint8_t>& bytes) {
  GifReader reader{&bytes};
  int error = 0;
  std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(
      DGifOpen(&reader, ReadGifBytes, &error), [](GifFileType* g) { DGifCloseFile(g, nullptr); });
  std::vector<ShownGifFrame> shown;
  EXPECT_TRUE(gif) << "not a GIF";
  if (!gif || DGifSlurp(gif.get()) != GIF_OK) {
    ADD_FAILURE() << "the GIF does not decode";
    return shown;
  }
  RgbImage canvas{gif->SWidth, gif->SHeight,
                  std::vector<Rgb>(static_cast<std::size_t>(gif->SWidth) * gif->SHeight)};
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif.get(), i, &control);
    const GifImageDesc& d = image.ImageDesc;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    for (int y = 0; y < d.Height; ++y) {
      for (int x = 0; x < d.Width; ++x) {
        const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
        canvas.At(d.Left + x, d.Top + y) = {c.Red, c.Green, c.Blue};
      }
    }
    shown.push_back({canvas, control.DelayTime, d.Width, d.Height});
  }
  return shown;
}

RgbaImage FilledImage(int width, int height, Rgba fill) {
  return {width, height, std::vector<Rgba>(static_cast<std::size_t>(width) * height, fill)};
}

TempDir::TempDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("cardkit-test-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace card::kit::test
