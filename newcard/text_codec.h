// The system's single-byte text as the card file naming sees it: conversion to and from UTF-16
// and upper-casing. card.exe uses the ANSI code page and the user's locale; the portable core
// and the tools use Windows-1252 (Windows1252Codec).
#pragma once

#include <string>
#include <string_view>

namespace card {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual std::u16string ToUtf16(std::string_view text) const = 0;
  // Characters the code page lacks become '?'.
  virtual std::string FromUtf16(std::u16string_view text) const = 0;
  virtual std::string ToUpper(std::string_view text) const = 0;
};

}  // namespace card
