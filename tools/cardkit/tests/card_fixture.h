// A small, correct card folder written from a description, for tests that break one thing in
// it: three 4 x 4 frames, scripts, one sound, a layout with a logo, a picture and a hot spot
// with a hover image, and a message.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace card::kit::test {

struct CardSpec {
  std::map<std::string, std::string> scripts{{"do", "1-3,!BELL 2"}};
  std::vector<std::uint16_t> frameKeys{1, 2, 3};
  std::vector<std::string> sounds{"BELL"};  // none: no Card.WAS
  std::string layout =
      "Test card\r\nv2\r\n1,0,0\r\n16777215|0|255\r\n12632256|0|16777215\r\n4,4 logo.bmp\r\n"
      "0,0 back.bmp\r\n-\r\n1\r\n.\\info.htm\r\nhover.bmp-\r\n40, 40, 200, 120\r\n255, 65280\r\n"
      "2\r\n0\r\n16777215\r\n";
  std::string message = "Dear Anna,\r\nHappy days!";
  std::vector<std::string> bitmaps{"logo.bmp", "back.bmp", "hover.bmp"};
  std::vector<std::string> otherFiles{"info.htm"};
};

void WriteCard(const std::filesystem::path& folder, const CardSpec& spec);

}  // namespace card::kit::test
