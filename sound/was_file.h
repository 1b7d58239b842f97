// Card.WAS: the sound bank, one NameDirectory at the start of the file whose values are clips:
// a u32 byte count L, then L bytes of PCM (mono, 8000 Hz, 16-bit signed little-endian).
// Names are stored in upper case; lookups upper-case the name asked for.
#pragma once

#include "animation/fas/mapped_file.h"
#include "animation/fas/name_directory.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace card {

// The format every clip has; the file does not store it.
constexpr int kClipSampleRate = 8000;
constexpr int kClipBitsPerSample = 16;
constexpr int kClipChannels = 1;

class WasFile {
 public:
  // Maps and checks the bank: "Card.WAS is missing." or "Card.WAS is damaged: ...".
  static Result<std::unique_ptr<WasFile>> Open(const std::string& path);
  static Result<std::unique_ptr<WasFile>> FromBytes(ByteView bytes, std::string name);

  // The clip's sample bytes (just past its byte count), found by the upper-cased name.
  std::optional<ByteView> FindSound(std::string_view name) const;
  const NameDirectory& Sounds() const { return sounds_; }

 private:
  WasFile() = default;
  std::unique_ptr<MappedFile> mapping_;
  ByteView bytes_;
  NameDirectory sounds_;
};

}  // namespace card
