// Small inputs for cardkit's tests, made in code: PNG and WAV bytes, pictures, and a temporary
// folder that is removed with its contents.
#pragma once

#include "tools/cardkit/rgba_image.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace card::kit::test {

std::vector<std::uint8_t> EncodePng(const RgbaImage& image);

// A 16-bit PCM WAV file of interleaved `samples`.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int rate,
                                    int channels);

// A picture of `width` x `height` filled with `fill`.
RgbaImage FilledImage(int width, int height, Rgba fill);

// One image of a GIF as a viewer shows it (drawn over the ones before, nothing disposed).
struct ShownGifFrame {
  RgbImage picture;
  int delay = 0;      // hundredths of a second
  int areaWidth = 0;  // the part stored for this image
  int areaHeight = 0;
};

// Decodes a GIF and replays its images; fails the current test when the bytes do not decode.
std::vector<ShownGifFrame> ReplayGif(const std::vector<std::uint8_t>& bytes);

// A folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, std::string_view bytes);
void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);

}  // namespace card::kit::test
