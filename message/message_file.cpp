// Reading msg.txt (see message_file.h), through the C library so card.exe and the tools share it.
#include "message/message_file.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace card {

CardMessage ReadMessageFile(const std::string& path) {
  std::array<std::uint8_t, kMessageFileLimit> buffer{};
  std::size_t read = 0;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (file) {
    read = std::fread(buffer.data(), 1, buffer.size(), file.get());
    if (std::ferror(file.get())) read = 0;
  }
  return DecodeMessage(ByteView(buffer.data(), read));
}

}  // namespace card
