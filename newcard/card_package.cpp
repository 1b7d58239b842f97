// Writing a message into a card package, and building a package around a message.
#include "newcard/card_package.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

namespace card {
namespace {

Failure NoRoom(const std::string& why) {
  return Fail("The card package has no room for the message: " + why);
}

}  // namespace

Status WriteMessageIntoPackage(PackageFile& package, const CardMessage& message) {
  std::vector<std::uint8_t> area = EncodeMessageArea(message);
  const Result<std::uint64_t> size = package.Size();
  if (!size.ok()) return Fail(size.error());
  if (*size < kMessageOffsetSize) {
    return NoRoom("it is " + std::to_string(*size) +
                  " bytes long, too short to hold the message's offset.");
  }
  const std::uint64_t contentEnd = *size - kMessageOffsetSize;
  std::array<std::uint8_t, kMessageOffsetSize> tail{};
  if (Status read = package.ReadAt(contentEnd, tail); !read.ok()) return read;
  const std::uint32_t offset = *ReadU32(tail, 0);
  if (offset >= contentEnd) {
    return NoRoom("the message offset it stores (" + std::to_string(offset) +
                  ") lies outside its first " + std::to_string(contentEnd) + " bytes.");
  }
  if (!FitsIn(contentEnd, offset, area.size())) {
    return NoRoom("the message needs " + std::to_string(area.size()) + " bytes at offset " +
                  std::to_string(offset) + ", but only " + std::to_string(contentEnd - offset) +
                  " lie before the offset stored at its end.");
  }
  // The whole area is written, so nothing of a longer old message travels on in the new card.
  const auto areaEnd = std::min<std::uint64_t>(contentEnd, offset + std::uint64_t{kMessageAreaSize});
  area.resize(static_cast<std::size_t>(areaEnd - offset), 0);
  return package.WriteAt(offset, area);
}

Result<std::vector<std::uint8_t>> BuildCardPackage(ByteView base, const CardMessage& message) {
  const std::vector<std::uint8_t> area = EncodeMessageArea(message);
  if (area.size() > kMessageAreaSize) {
    return Fail("The message is too long for a card: it needs " + std::to_string(area.size()) +
                " bytes with its end marks, and a card holds " + std::to_string(kMessageAreaSize) +
                ".");
  }
  if (base.size() > std::numeric_limits<std::uint32_t>::max()) {
    return Fail("The card program is too large: a card package must stay under 4 GB.");
  }
  const auto offset = static_cast<std::uint32_t>(base.size());
  std::vector<std::uint8_t> package(base.begin(), base.end());
  package.insert(package.end(), area.begin(), area.end());
  package.resize(base.size() + kMessageAreaSize, 0);
  for (int shift = 0; shift < 32; shift += 8) {
    package.push_back(static_cast<std::uint8_t>(offset >> shift));
  }
  return package;
}

}  // namespace card
