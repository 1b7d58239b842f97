// Bounds-checked little-endian reads over a read-only byte view. Content files are mapped,
// never trusted: every read says whether it fitted instead of reading past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace card {

using ByteView = std::span<const std::uint8_t>;

// True when [offset, offset + length) lies inside a view of `size` bytes, without overflow.
constexpr bool FitsIn(std::uint64_t size, std::uint64_t offset, std::uint64_t length) {
  return offset <= size && length <= size - offset;
}

inline std::optional<std::uint16_t> ReadU16(ByteView bytes, std::size_t offset) {
  if (!FitsIn(bytes.size(), offset, 2)) return std::nullopt;
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::optional<std::uint32_t> ReadU32(ByteView bytes, std::size_t offset) {
  if (!FitsIn(bytes.size(), offset, 4)) return std::nullopt;
  return static_cast<std::uint32_t>(bytes[offset]) |
         static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

inline std::optional<std::int32_t> ReadI32(ByteView bytes, std::size_t offset) {
  auto value = ReadU32(bytes, offset);
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

// The NUL-terminated string starting at `offset`, without its NUL; nothing when no NUL
// follows inside the view.
inline std::optional<std::string_view> ReadCString(ByteView bytes, std::size_t offset) {
  if (offset >= bytes.size()) return std::nullopt;
  for (std::size_t end = offset; end < bytes.size(); ++end) {
    if (bytes[end] == 0) {
      return std::string_view(reinterpret_cast<const char*>(bytes.data() + offset), end - offset);
    }
  }
  return std::nullopt;
}

}  // namespace card
