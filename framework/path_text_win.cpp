// Text conversions at the wide Win32 calls (see path_text_win.h).
#include "framework/path_text_win.h"

#include <windows.h>

namespace card {
namespace {

bool FitsAnsi(std::wstring_view text) {
  if (text.empty()) return true;
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         &lossy);
  return length > 0 && !lossy;
}

std::string Narrow(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring WidenUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
  return wide;
}

std::string ToUtf8(std::wstring_view text) { return Narrow(CP_UTF8, text); }

std::string ToAnsi(std::wstring_view text) { return Narrow(CP_ACP, text); }

std::wstring AnsiSafePath(const std::wstring& path) {
  if (FitsAnsi(path)) return path;
  const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (length == 0) return path;
  std::wstring shortPath(length, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), shortPath.data(), length);
  if (written == 0 || written >= length) return path;
  shortPath.resize(written);
  return FitsAnsi(shortPath) ? shortPath : path;
}

}  // namespace card
