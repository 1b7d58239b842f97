#include "newcard/card_package.h"
#include "newcard/stream_package_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace card {
namespace {

class StreamPackageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("stream_package_" + std::to_string(getpid()) + "_" + test->name() + ".exe");
  }
  void TearDown() override { std::filesystem::remove(path_); }

  void Store(const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  std::vector<std::uint8_t> Load() const {
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path path_;
};

TEST_F(StreamPackageFileTest, ReadsAndWritesInPlace) {
  Store({1, 2, 3, 4, 5});
  auto file = StreamPackageFile::Open(path_.string());
  ASSERT_TRUE(file.ok()) << file.error();
  EXPECT_EQ((*file)->Size().value(), 5u);
  std::array<std::uint8_t, 2> two{};
  ASSERT_TRUE((*file)->ReadAt(3, two).ok());
  EXPECT_EQ(two, (std::array<std::uint8_t, 2>{4, 5}));
  ASSERT_TRUE((*file)->WriteAt(1, std::vector<std::uint8_t>{9, 9}).ok());
  ASSERT_TRUE((*file)->ReadAt(0, two).ok());  // a read after a write sees it
  EXPECT_EQ(two, (std::array<std::uint8_t, 2>{1, 9}));
  EXPECT_FALSE((*file)->ReadAt(4, two).ok());
  EXPECT_TRUE((*file)->ReadAt(3, two).ok());  // a failed read leaves the stream usable
  file->reset();
  EXPECT_EQ(Load(), (std::vector<std::uint8_t>{1, 9, 9, 4, 5}));
}

TEST_F(StreamPackageFileTest, OpensOnlyExistingFiles) {
  const auto missing = StreamPackageFile::Open(path_.string());
  EXPECT_EQ(missing.error(), "Cannot open \"" + path_.string() + "\" for reading and writing.");
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(StreamPackageFileTest, WritesTheMessageIntoABuiltPackage) {
  const auto built = BuildCardPackage(std::vector<std::uint8_t>(100, 0xCC), {"Old message", true});
  ASSERT_TRUE(built.ok());
  Store(*built);
  auto file = StreamPackageFile::Open(path_.string());
  ASSERT_TRUE(file.ok()) << file.error();
  ASSERT_TRUE(WriteMessageIntoPackage(**file, {"Dear Anna", false}).ok());
  file->reset();
  std::vector<std::uint8_t> expected = *built;
  std::fill_n(expected.begin() + 100, kMessageAreaSize, 0);
  const std::string_view message("Dear Anna");
  std::copy(message.begin(), message.end(), expected.begin() + 100);
  EXPECT_EQ(Load(), expected);  // same length, same offset at the end, nothing of the old one
}

}  // namespace
}  // namespace card
