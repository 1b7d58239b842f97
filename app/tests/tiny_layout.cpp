// The tiny card's layout, parsed from text as the program reads it.
#include "app/tests/tiny_card.h"

#include <stdexcept>

namespace card::test {

LayoutFile TinyLayout() {
  // Background grey, message black on a white shadow, buttons light grey with red captions
  // and blue caption shadows; no logo, no pictures, no hot spots.
  const char* text =
      "Tiny card\r\nv1\r\n"
      "8421504|0|16777215\r\n"
      "12632256|255|16711680\r\n"
      "-\r\n-\r\n0\r\n"
      "3\r\n0\r\n16777215\r\n255\r\n";
  Result<LayoutFile> layout = ParseLayout(text);
  if (!layout) throw std::runtime_error(layout.error());
  return std::move(layout).value();
}

}  // namespace card::test
