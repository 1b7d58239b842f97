// WasFile: checking the sound bank at open, and finding clips by name.
#include "sound/was_file.h"

#include "content/content_damage.h"

namespace card {

namespace {

constexpr std::size_t kClipCountSize = 4;

// Every name and every clip (count and samples) inside the file.
Result<NameDirectory> ParseBank(ByteView bytes, const std::string& name) {
  auto sounds = NameDirectory::Parse(bytes, 0, name, "sound");
  if (!sounds) return sounds;
  const std::uint64_t size = bytes.size();
  for (std::size_t i = 0; i < sounds->Count(); ++i) {
    const std::uint64_t start = sounds->ValueOffset(i);
    const std::string sound = "sound " + QuotedName(sounds->Name(i));
    if (!FitsIn(size, start, kClipCountSize)) {
      return Fail(DamagedMessage(
          name, EndsPastFile("the byte count of " + sound, start + kClipCountSize, size)));
    }
    const std::uint64_t end =
        start + kClipCountSize + *ReadU32(bytes, static_cast<std::size_t>(start));
    if (end > size) return Fail(DamagedMessage(name, EndsPastFile("the " + sound, end, size)));
  }
  return sounds;
}

}  // namespace

std::string SoundNameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

Result<std::unique_ptr<WasFile>> WasFile::Open(const std::string& path) {
  auto mapping = MappedFile::Open(path);
  if (!mapping) return Fail(mapping.error());
  auto bank = FromBytes(mapping.value()->Bytes(), path);
  if (!bank) return bank;
  bank.value()->mapping_ = std::move(mapping.value());
  return bank;
}

Result<std::unique_ptr<WasFile>> WasFile::FromBytes(ByteView bytes, std::string name) {
  auto sounds = ParseBank(bytes, name);
  if (!sounds) return Fail(sounds.error());
  std::unique_ptr<WasFile> bank(new WasFile);
  bank->bytes_ = bytes;
  bank->sounds_ = std::move(sounds.value());
  return bank;
}

ByteView WasFile::ClipAt(std::size_t offset) const {
  const std::uint32_t length = *ReadU32(bytes_, offset);
  return bytes_.subspan(offset + kClipCountSize, length);
}

std::optional<ByteView> WasFile::FindSound(std::string_view name) const {
  const auto offset = sounds_.Find(SoundNameKey(name));
  if (!offset) return std::nullopt;
  return ClipAt(*offset);
}

ByteView WasFile::Clip(std::size_t i) const {
  if (i >= sounds_.Count()) return {};
  return ClipAt(static_cast<std::size_t>(sounds_.ValueOffset(i)));
}

}  // namespace card
