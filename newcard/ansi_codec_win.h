// The system's ANSI code page as the card file naming's TextCodec: conversions through
// MultiByteToWideChar / WideCharToMultiByte (CP_ACP) and upper-casing by the user's locale.
#pragma once

#include "newcard/text_codec.h"

namespace card {

class AnsiCodec final : public TextCodec {
 public:
  std::u16string ToUtf16(std::string_view text) const override;
  // Characters the code page lacks become a close one it has (A for A with macron) or its
  // default character '?'.
  std::string FromUtf16(std::u16string_view text) const override;
  std::string ToUpper(std::string_view text) const override;
};

}  // namespace card
