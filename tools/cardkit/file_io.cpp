// File access for cardkit.
#include "tools/cardkit/file_io.h"

#include <fstream>
#include <iterator>
#include <string>

namespace card::kit {

Result<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return Fail(path.string() + " is missing.");
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  if (in.bad()) return Fail(path.string() + " cannot be read.");
  return bytes;
}

Status WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return Fail(path.string() + " cannot be written.");
  return {};
}

}  // namespace card::kit
