// Windows-1252, the ANSI code page of western Windows systems, as a TextCodec that needs no
// Windows: each byte is one character, and the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control characters of the same value, as
// Windows converts them.
#pragma once

#include "newcard/text_codec.h"

namespace card {

class Windows1252Codec final : public TextCodec {
 public:
  std::u16string ToUtf16(std::string_view text) const override;
  std::string FromUtf16(std::u16string_view text) const override;
  // ASCII letters and the code page's accented small letters (0xE0-0xFE but the division
  // sign, and 0x9A, 0x9C, 0x9E, 0xFF).
  std::string ToUpper(std::string_view text) const override;
};

}  // namespace card
