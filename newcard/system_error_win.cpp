// System error texts (see system_error_win.h).
#include "newcard/system_error_win.h"

#include "framework/path_text_win.h"

namespace card {

std::string SystemErrorText(DWORD code) {
  wchar_t buffer[512] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, buffer, 512, nullptr);
  while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                        buffer[length - 1] == ' ')) {
    --length;
  }
  if (length == 0) return "Error " + std::to_string(code) + ".";
  return ToUtf8(std::wstring_view(buffer, length));
}

}  // namespace card
