#include "layout/layout_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace card {
namespace {

TEST(ReadLayoutText, ReturnsTheBytesOrNothing) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("layout_reader_test_" + std::to_string(getpid()) + ".txt");
  const std::string bytes("Title\r\nv1\0\xFF\r\n", 12);
  std::ofstream(path, std::ios::binary) << bytes;
  EXPECT_EQ(ReadLayoutText(path.string()), bytes);
  std::filesystem::remove(path);
  EXPECT_EQ(ReadLayoutText(path.string()), "");
  EXPECT_EQ(ReadLayoutText(std::filesystem::temp_directory_path().string()), "");  // a folder
}

}  // namespace
}  // namespace card
