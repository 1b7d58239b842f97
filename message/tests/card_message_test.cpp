#include "message/card_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(DecodeMessage, MarkerAndNul) {
  const struct {
    std::string file;
    CardMessage expected;
  } cases[] = {
      {"", {"", false}},
      {"Dear Anna,\r\nHappy birthday!", {"Dear Anna,\r\nHappy birthday!", false}},
      {"Hello\xFF\xFF", {"Hello", true}},
      {"\xFF\xFF", {"", true}},
      {"\xFF", {"\xFF", false}},            // one byte is too short for the marker
      {"Hello\xFF", {"Hello\xFF", false}},  // a single 0xFF stays in the text
      {"Hello\xFF\xFF\xFF", {"Hello\xFF", true}},
      {"\xFF\xFFHello", {"\xFF\xFFHello", false}},  // only the end counts
      {std::string("Hi\0there", 8), {"Hi", false}},
      {std::string("Hi\0there\xFF\xFF", 10), {"Hi", true}},
      {std::string("Hi\xFF\xFF\0", 5), {"Hi\xFF\xFF", false}},  // the area, NUL included
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeMessage(Bytes(c.file)), c.expected) << c.file;
  }
}

TEST(DecodeMessage, UsesOnlyTheFirst500Bytes) {
  const std::string text(498, 'a');
  const struct {
    std::string file;
    CardMessage expected;
  } cases[] = {
      {text + "\xFF\xFF", {text, true}},
      {text + "\xFF\xFF" + "tail", {text, true}},     // the tail is cut off first
      {text + "bc\xFF\xFF", {text + "bc", false}},    // marker beyond byte 500 unseen
      {text + "b\xFF\xFF", {text + "b\xFF", false}},  // half of it inside
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeMessage(Bytes(c.file)), c.expected) << c.file.size();
  }
  // A longer limit sees the marker further on.
  EXPECT_EQ(DecodeMessage(Bytes(text + "bc\xFF\xFF"), 502), (CardMessage{text + "bc", true}));
}

TEST(EncodeMessageArea, TextMarkerNul) {
  EXPECT_EQ(EncodeMessageArea({"Hi", false}), (std::vector<std::uint8_t>{'H', 'i', 0}));
  EXPECT_EQ(EncodeMessageArea({"Hi", true}), (std::vector<std::uint8_t>{'H', 'i', 0xFF, 0xFF, 0}));
  EXPECT_EQ(EncodeMessageArea({"", true}), (std::vector<std::uint8_t>{0xFF, 0xFF, 0}));
  EXPECT_EQ(EncodeMessageArea({"", false}), (std::vector<std::uint8_t>{0}));
}

TEST(EncodeMessageArea, DecodesBackWithoutItsNul) {
  for (const CardMessage& message :
       {CardMessage{"Line 1\r\nLine 2", false}, CardMessage{"Line 1\r\nLine 2", true},
        CardMessage{std::string(487, 'x'), true}}) {
    std::vector<std::uint8_t> area = EncodeMessageArea(message);
    area.pop_back();
    EXPECT_EQ(area, EncodeMessageFile(message));
    EXPECT_EQ(DecodeMessage(area), message);
  }
}

}  // namespace
}  // namespace card
