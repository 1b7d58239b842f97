// The ANSI code page codec (see ansi_codec_win.h). Windows' wchar_t is a UTF-16 unit, the same
// size as char16_t.
#include "newcard/ansi_codec_win.h"

#include <windows.h>

#include <climits>

namespace card {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// The conversion calls take int lengths; longer texts are not card messages.
int LengthOf(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

}  // namespace

std::u16string AnsiCodec::ToUtf16(std::string_view text) const {
  if (text.empty()) return {};
  const int length = LengthOf(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(units > 0 ? units : 0), u'\0');
  if (units > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(wide.data()),
                        units);
  }
  return wide;
}

std::string AnsiCodec::FromUtf16(std::u16string_view text) const {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = LengthOf(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) {
    WideCharToMultiByte(CP_ACP, 0, wide, length, narrow.data(), bytes, nullptr, nullptr);
  }
  return narrow;
}

std::string AnsiCodec::ToUpper(std::string_view text) const {
  std::string upper(text);
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(LengthOf(upper.size())));
  return upper;
}

}  // namespace card
