// MappedFile for the tools and the native tests: a private read-only mmap of the whole file.
// Unlike the card on Windows, it does not lock the file against other openers.
#include "content/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace card {

struct MappedFile::Handles {
  void* address = nullptr;
  std::size_t length = 0;

  Handles() = default;
  Handles(const Handles&) = delete;
  Handles& operator=(const Handles&) = delete;
  ~Handles() {
    if (address != nullptr) munmap(address, length);
  }
};

namespace {

// Closes the descriptor on every way out of Open; the mapping outlives it.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

Failure CannotOpen(const std::string& path, const char* how, int error) {
  return Fail(path + " cannot be " + how + ": " + std::strerror(error) + ".");
}

}  // namespace

Result<std::unique_ptr<MappedFile>> MappedFile::Open(const std::string& path) {
  const Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return Fail(path + " is missing.");
    return CannotOpen(path, "opened", errno);
  }
  struct stat info {};
  if (fstat(file.get(), &info) != 0) return CannotOpen(path, "read", errno);
  if (!S_ISREG(info.st_mode)) return Fail(path + " cannot be opened: it is not a file.");
  if (static_cast<std::uintmax_t>(info.st_size) > SIZE_MAX) {
    return Fail(path + " cannot be mapped: it is too large.");
  }

  auto handles = std::make_unique<Handles>();
  // mmap refuses a length of 0, and an empty file has nothing to map.
  if (info.st_size > 0) {
    const auto length = static_cast<std::size_t>(info.st_size);
    void* address = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, file.get(), 0);
    if (address == MAP_FAILED) return CannotOpen(path, "mapped", errno);
    handles->address = address;
    handles->length = length;
  }
  const ByteView bytes(static_cast<const std::uint8_t*>(handles->address), handles->length);
  return std::unique_ptr<MappedFile>(new MappedFile(std::move(handles), bytes));
}

MappedFile::MappedFile(std::unique_ptr<Handles> handles, ByteView bytes)
    : handles_(std::move(handles)), bytes_(bytes) {}

MappedFile::~MappedFile() = default;

}  // namespace card
