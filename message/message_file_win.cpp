// Reading msg.txt (see message_file_win.h).
#include "message/message_file_win.h"

#include <windows.h>

#include <array>
#include <cstdint>

namespace card {

CardMessage ReadMessageFile(const std::string& path) {
  std::array<std::uint8_t, kMessageFileLimit> buffer{};
  DWORD read = 0;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) read = 0;
    CloseHandle(file);
  }
  return DecodeMessage(ByteView(buffer.data(), read));
}

}  // namespace card
