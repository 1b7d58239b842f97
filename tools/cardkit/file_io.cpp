// File access for cardkit.
#include "tools/cardkit/file_io.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

namespace card::kit {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& folder,
                                               std::string_view part) {
  std::error_code error;
  if (std::filesystem::exists(folder / std::string(part), error)) return folder / std::string(part);
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (SameIgnoringCase(entry.path().filename().string(), part)) return entry.path();
  }
  return std::nullopt;
}

}  // namespace

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

std::optional<std::filesystem::path> FindCardFile(const std::filesystem::path& folder,
                                                  std::string_view name) {
  std::string relative(name);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  if (relative.starts_with("./")) relative.erase(0, 2);
  if (relative.empty() || relative.front() == '/' || relative.find(':') != std::string::npos) {
    return std::nullopt;
  }
  std::filesystem::path found = folder;
  std::size_t start = 0;
  while (start <= relative.size()) {
    const std::size_t slash = relative.find('/', start);
    const std::string part = relative.substr(start, slash - start);
    if (part == "..") return std::nullopt;
    if (!part.empty() && part != ".") {
      auto entry = FindEntry(found, part);
      if (!entry) return std::nullopt;
      found = *entry;
    }
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  std::error_code error;
  if (!std::filesystem::is_regular_file(found, error)) return std::nullopt;
  return found;
}

}  // namespace card::kit
