// StreamPackageFile: every access seeks first, so reads and writes may follow each other in
// any order on the one stream.
#include "newcard/stream_package_file.h"

#include <limits>

namespace card {

Result<std::unique_ptr<StreamPackageFile>> StreamPackageFile::Open(const std::string& path) {
  std::fstream stream(path, std::ios::in | std::ios::out | std::ios::binary);
  if (!stream.is_open()) return Fail("Cannot open \"" + path + "\" for reading and writing.");
  return std::unique_ptr<StreamPackageFile>(new StreamPackageFile(std::move(stream), path));
}

StreamPackageFile::StreamPackageFile(std::fstream stream, std::string path)
    : stream_(std::move(stream)), path_(std::move(path)) {}

bool StreamPackageFile::SeekTo(std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max())) {
    return false;
  }
  stream_.clear();
  return static_cast<bool>(stream_.seekg(static_cast<std::streamoff>(offset))) &&
         static_cast<bool>(stream_.seekp(static_cast<std::streamoff>(offset)));
}

Result<std::uint64_t> StreamPackageFile::Size() {
  stream_.clear();
  const std::streamoff end = stream_.seekg(0, std::ios::end) ? std::streamoff(stream_.tellg()) : -1;
  if (end < 0) return Fail("Cannot find the size of \"" + path_ + "\".");
  return static_cast<std::uint64_t>(end);
}

Status StreamPackageFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
  const bool read = SeekTo(offset) && stream_.read(reinterpret_cast<char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
  if (!read) {
    return Fail("Cannot read " + std::to_string(bytes.size()) + " bytes at offset " +
                std::to_string(offset) + " of \"" + path_ + "\".");
  }
  return {};
}

Status StreamPackageFile::WriteAt(std::uint64_t offset, ByteView bytes) {
  const bool written = SeekTo(offset) &&
                       stream_.write(reinterpret_cast<const char*>(bytes.data()),
                                     static_cast<std::streamsize>(bytes.size())) &&
                       stream_.flush();
  if (!written) {
    return Fail("Cannot write " + std::to_string(bytes.size()) + " bytes at offset " +
                std::to_string(offset) + " of \"" + path_ + "\".");
  }
  return {};
}

}  // namespace card
