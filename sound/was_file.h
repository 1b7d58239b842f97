// Card.WAS: the sound bank, one NameDirectory at the start of the file whose values are clips:
// a u32 byte count L, then L bytes of PCM (mono, 8000 Hz, 16-bit signed little-endian).
// Names are stored in upper case; lookups upper-case the name asked for. Every name and clip is
// checked to lie inside the file when it is opened.
#pragma once

#include "content/mapped_file.h"
#include "content/name_directory.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace card {

// The format every clip has; the file does not store it.
constexpr int kClipSampleRate = 8000;
constexpr int kClipBitsPerSample = 16;
constexpr int kClipChannels = 1;
constexpr int kClipBytesPerSecond = kClipSampleRate * kClipChannels * kClipBitsPerSample / 8;

// A sound name as the bank stores it. Only ASCII letters are upper-cased: names are plain
// ASCII in practice, and a single-byte code page's other capitals are not the core's to know.
std::string SoundNameKey(std::string_view name);

class WasFile {
 public:
  // Maps and checks the bank: "Card.WAS is missing." or "Card.WAS is damaged: ...".
  static Result<std::unique_ptr<WasFile>> Open(const std::string& path);
  static Result<std::unique_ptr<WasFile>> FromBytes(ByteView bytes, std::string name);

  // The clip's sample bytes (just past its byte count), found by the upper-cased name.
  std::optional<ByteView> FindSound(std::string_view name) const;
  const NameDirectory& Sounds() const { return sounds_; }
  ByteView Bytes() const { return bytes_; }
  // The samples of entry i (empty when i is out of range).
  ByteView Clip(std::size_t i) const;

 private:
  WasFile() = default;
  ByteView ClipAt(std::size_t offset) const;

  std::unique_ptr<MappedFile> mapping_;
  ByteView bytes_;
  NameDirectory sounds_;
};

}  // namespace card
