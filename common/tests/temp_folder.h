// Test helper: a fresh folder under the system's temporary folder, removed with its contents.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace card::testing {

class TempFolder {
 public:
  TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("card-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
             std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  // Writes `bytes` to the file `name` in the folder and returns its path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
  std::string Path(const std::string& name = "") const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace card::testing
