// FasFile: indexing Card.FAS once at open, checking every part against the file's end, and
// the frame and script lookups.
#include "animation/fas/fas_file.h"

#include "content/content_damage.h"
#include "content/nul_bound.h"

#include <vector>

namespace card {

namespace {

constexpr std::size_t kWidthOffset = 56;
constexpr std::size_t kHeightOffset = 60;
constexpr std::size_t kFrameBytesOffset = 64;
constexpr std::size_t kPaletteCountOffset = 66;
constexpr std::size_t kPaletteRecordsOffset = 68;
// Table B's entry size: bytes 8-11 of the first palette record.
constexpr std::size_t kTableBEntrySizeOffset = 76;
constexpr std::size_t kTableAEntrySize = 4;
// The figure's window is one frame in size; a side beyond any screen is a damaged field.
constexpr std::int32_t kMaxFrameSide = 4096;

// Walks the sections in file order and words the first one that does not fit.
class SectionWalker {
 public:
  SectionWalker(ByteView bytes, const std::string& name) : bytes_(bytes), name_(name) {}

  std::uint64_t Size() const { return bytes_.size(); }
  Failure Damaged(const std::string& detail) const { return Fail(DamagedMessage(name_, detail)); }
  Failure PastEnd(std::string_view what, std::uint64_t end) const {
    return Damaged(EndsPastFile(what, end, Size()));
  }
  bool Fits(std::uint64_t position, std::uint64_t length) const {
    return FitsIn(Size(), position, length);
  }

 private:
  ByteView bytes_;
  const std::string& name_;
};

std::string Plural(std::uint64_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

// What is wrong with a frame side (`what`: "width" or "height"), or nothing.
std::optional<std::string> FrameSideProblem(std::string_view what, std::int32_t side) {
  const std::string is = "the frame " + std::string(what) + " is " + std::to_string(side);
  if (side <= 0) return is + "; it must be positive";
  if (side > kMaxFrameSide) return is + "; it must be at most " + std::to_string(kMaxFrameSide);
  return std::nullopt;
}

}  // namespace

Result<std::unique_ptr<FasFile>> FasFile::Open(const std::string& path) {
  auto mapping = MappedFile::Open(path);
  if (!mapping) return Fail(mapping.error());
  auto fas = Index(mapping.value()->Bytes(), path);
  if (!fas) return fas;
  fas.value()->mapping_ = std::move(mapping.value());
  return fas;
}

Result<std::unique_ptr<FasFile>> FasFile::FromBytes(ByteView bytes, std::string name) {
  return Index(bytes, name);
}

Result<std::unique_ptr<FasFile>> FasFile::Index(ByteView bytes, const std::string& name) {
  const SectionWalker walk(bytes, name);
  std::unique_ptr<FasFile> fas(new FasFile);
  fas->bytes_ = bytes;

  if (!walk.Fits(0, kPaletteRecordsOffset))
    return walk.PastEnd("the header", kPaletteRecordsOffset);
  fas->width_ = *ReadI32(bytes, kWidthOffset);
  fas->height_ = *ReadI32(bytes, kHeightOffset);
  fas->frameBytes_ = *ReadU16(bytes, kFrameBytesOffset);
  fas->paletteRecords_ = *ReadU16(bytes, kPaletteCountOffset);
  if (auto problem = FrameSideProblem("width", fas->width_)) return walk.Damaged(*problem);
  if (auto problem = FrameSideProblem("height", fas->height_)) return walk.Damaged(*problem);

  // Palette records, then A, table A and, only when A is not 0, B and table B.
  std::uint64_t position =
      kPaletteRecordsOffset + std::uint64_t{fas->paletteRecords_} * kPaletteRecordSize;
  if (position > walk.Size()) {
    return walk.PastEnd("the table of " + Plural(fas->paletteRecords_, "palette record"), position);
  }
  if (!walk.Fits(position, 2)) return walk.PastEnd("the count of table A", position + 2);
  const std::uint16_t countA = *ReadU16(bytes, position);
  position += 2 + std::uint64_t{countA} * kTableAEntrySize;
  if (position > walk.Size()) return walk.PastEnd("table A", position);
  if (countA != 0) {
    if (!walk.Fits(position, 2)) return walk.PastEnd("the count of table B", position + 2);
    const std::uint16_t countB = *ReadU16(bytes, position);
    position += 2;
    if (countB != 0) {
      if (!walk.Fits(kTableBEntrySizeOffset, 4)) {
        return walk.PastEnd("the entry size of table B", kTableBEntrySizeOffset + 4);
      }
      position += std::uint64_t{countB} * *ReadU32(bytes, kTableBEntrySizeOffset);
      if (position > walk.Size()) return walk.PastEnd("table B", position);
    }
  }

  auto scripts = NameDirectory::Parse(bytes, position, name, "script");
  if (!scripts) return Fail(scripts.error());
  fas->scripts_ = std::move(scripts.value());
  if (auto failure = fas->CheckScripts(name)) return *failure;

  const std::uint64_t frameBlock = position + fas->scripts_.FirstWord();
  if (!walk.Fits(frameBlock, 4)) return walk.PastEnd("the frame count", frameBlock + 4);
  fas->frameCount_ = *ReadU32(bytes, frameBlock);
  if (fas->frameCount_ == 0) return walk.Damaged("it holds no frames");
  const std::uint64_t frames = fas->frameCount_;
  const std::uint64_t keys = frameBlock + 4;
  const std::uint64_t paletteIndexes = keys + 2 * frames;
  const std::uint64_t pixels = paletteIndexes + frames;
  const std::uint64_t end = pixels + frames * fas->frameBytes_;
  if (paletteIndexes > walk.Size()) return walk.PastEnd("the frame key table", paletteIndexes);
  if (pixels > walk.Size()) return walk.PastEnd("the frame palette-index table", pixels);
  if (end > walk.Size()) return walk.PastEnd("the pixel area of " + Plural(frames, "frame"), end);
  fas->keysOffset_ = static_cast<std::size_t>(keys);
  fas->paletteIndexesOffset_ = static_cast<std::size_t>(paletteIndexes);
  fas->pixelsOffset_ = static_cast<std::size_t>(pixels);

  if (auto failure = fas->CheckPaletteIndexes(name)) return *failure;
  return fas;
}

std::optional<Failure> FasFile::CheckScripts(const std::string& name) const {
  const std::uint64_t size = bytes_.size();
  const NulBound nulBound(bytes_);
  for (std::size_t i = 0; i < scripts_.Count(); ++i) {
    const std::uint64_t start = scripts_.ValueOffset(i);
    const std::string script = "the script " + QuotedName(scripts_.Name(i));
    if (start >= size) {
      return Fail(DamagedMessage(name, script + " starts at byte " + std::to_string(start) +
                                           " but the file has " + std::to_string(size) + " bytes"));
    }
    if (!nulBound.EndsInside(start)) {
      return Fail(DamagedMessage(name, script + " has no ending NUL before the end of the file"));
    }
  }
  return std::nullopt;
}

std::optional<Failure> FasFile::CheckPaletteIndexes(const std::string& name) const {
  std::vector<bool> used(paletteRecords_);
  for (std::uint32_t i = 0; i < frameCount_; ++i) {
    const std::uint8_t record = FramePaletteIndex(i);
    if (record >= paletteRecords_) {
      const std::string have = paletteRecords_ == 0
                                   ? "the file has no palette records"
                                   : "the last one is " + std::to_string(paletteRecords_ - 1);
      return Fail(DamagedMessage(name, "frame " + std::to_string(i) + " (key " +
                                           std::to_string(FrameKey(i)) + ") uses palette record " +
                                           std::to_string(record) + " but " + have));
    }
    used[record] = true;
  }
  // Only the records frames use are ever drawn with.
  for (std::size_t record = 0; record < used.size(); ++record) {
    if (!used[record]) continue;
    const ByteView blocks =
        bytes_.subspan(kPaletteRecordsOffset + record * kPaletteRecordSize, kPaletteRecordSize);
    for (const char* role : {"image", "mask"}) {
      const ByteView block =
          blocks.subspan(role[0] == 'i' ? 0 : kBitmapInfoBlockSize, kBitmapInfoBlockSize);
      if (auto problem = BitmapInfoProblem(block, {width_, height_, frameBytes_})) {
        return Fail(DamagedMessage(name, "the " + std::string(role) + " block of palette record " +
                                             std::to_string(record) + " " + *problem));
      }
    }
  }
  return std::nullopt;
}

std::uint16_t FasFile::FrameKey(std::uint32_t index) const {
  if (index >= frameCount_) return 0;
  return *ReadU16(bytes_, keysOffset_ + std::size_t{index} * 2);
}

std::uint8_t FasFile::FramePaletteIndex(std::uint32_t index) const {
  if (index >= frameCount_) return 0;
  return bytes_[paletteIndexesOffset_ + index];
}

const char* FasFile::FindScript(std::string_view name) const {
  const auto offset = scripts_.Find(name);
  if (!offset) return nullptr;
  return reinterpret_cast<const char*>(bytes_.data() + *offset);
}

std::uint32_t FasFile::FindFrameKey(std::uint16_t key) const {
  // Signed bounds, as hi goes below lo when the key is smaller than every stored one.
  std::int64_t lo = 0;
  std::int64_t hi = std::int64_t{frameCount_} - 1;
  while (lo <= hi) {
    const std::int64_t mid = (lo + hi) / 2;
    const std::uint16_t stored = FrameKey(static_cast<std::uint32_t>(mid));
    if (key < stored) {
      hi = mid - 1;
    } else if (key == stored) {
      return static_cast<std::uint32_t>(mid);
    } else {
      lo = mid + 1;
    }
  }
  return static_cast<std::uint32_t>(lo);
}

std::uint32_t FasFile::FrameIndex(std::int32_t frameId) const {
  // Only the low 16 bits of an id count: -2 is key 65534.
  const auto key = static_cast<std::uint16_t>(frameId);
  const std::uint32_t index = FindFrameKey(key);
  if (index >= frameCount_ || FrameKey(index) != key) return 0;
  return index;
}

const std::uint8_t* FasFile::FrameBits(std::int32_t frameId) const {
  return bytes_.data() + pixelsOffset_ + std::size_t{FrameIndex(frameId)} * frameBytes_;
}

const std::uint8_t* FasFile::PaletteRecordOf(std::int32_t frameId) const {
  const std::uint8_t record = FramePaletteIndex(FrameIndex(frameId));
  return bytes_.data() + kPaletteRecordsOffset + std::size_t{record} * kPaletteRecordSize;
}

const std::uint8_t* FasFile::ImageInfo(std::int32_t frameId) const {
  return PaletteRecordOf(frameId);
}

const std::uint8_t* FasFile::MaskInfo(std::int32_t frameId) const {
  return PaletteRecordOf(frameId) + kBitmapInfoBlockSize;
}

}  // namespace card
