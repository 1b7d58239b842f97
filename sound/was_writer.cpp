// Laying out Card.WAS.
#include "sound/was_writer.h"

#include "common/byte_writer.h"
#include "content/name_directory_writer.h"
#include "sound/was_file.h"

namespace card {

Result<std::vector<std::uint8_t>> WriteWas(const std::vector<WasSound>& sounds) {
  std::vector<NamedValue> entries;
  for (const WasSound& sound : sounds) {
    // A clip too long for its 32-bit count makes the bank too large, which the directory refuses.
    NamedValue entry{SoundNameKey(sound.name), {}};
    AppendU32(entry.value, static_cast<std::uint32_t>(sound.samples.size()));
    entry.value.insert(entry.value.end(), sound.samples.begin(), sound.samples.end());
    entries.push_back(std::move(entry));
  }
  return WriteNameDirectory(0, std::move(entries), "sound");
}

}  // namespace card
