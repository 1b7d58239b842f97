// Test fixture for picture drawing tests: a 32 x 32 surface filled grey, bitmap files
// written into a folder of the test's own, and the surface's pixels read back as a grid.
#pragma once

#include "framework/tests/pixels_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace card::test {

namespace colours {
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);
inline constexpr COLORREF kRed = RGB(200, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 160, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 170);
inline constexpr COLORREF kYellow = RGB(255, 255, 0);
inline constexpr COLORREF kGrey = RGB(90, 90, 90);  // what the destination holds before drawing
}  // namespace colours

using Grid = std::vector<std::vector<COLORREF>>;  // rows top to bottom

class PictureTest : public ::testing::Test {
 protected:
  static constexpr int kSurfaceSize = 32;

  void SetUp() override {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    folder_ = std::string(dir) + "card_picture_test_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    pixels_.Fill(colours::kGrey);
  }

  void TearDown() override {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder_ + "\\" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    files_.push_back(path);
    return path;
  }

  // The surface's pixels in the rectangle (left, top) of `width` x `height`.
  Grid Read(int left, int top, int width, int height) const {
    Grid grid(height, std::vector<COLORREF>(width));
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) grid[y][x] = pixels_.At(left + x, top + y);
    }
    return grid;
  }

  std::string folder_;
  std::vector<std::string> files_;
  PixelSurface pixels_{kSurfaceSize, kSurfaceSize};  // 32-bit: every colour reads back exactly
  HDC surface_ = pixels_.Dc();
};

}  // namespace card::test
