// Card.FAS: the figure's frames (all one size), their palette records and the named scripts.
//   0   14 header words, not interpreted
//   56  W, H (i32); 64 S = bytes per frame (u16); 66 R = palette records (u16)
//   68  R palette records of 208 bytes: image bitmap-info block (104), mask block (104)
//   then A (u16), A*4 bytes of table A; if A != 0: B (u16), B*Hr bytes of table B
//        (Hr = the u32 at offset 76); then the script NameDirectory at P;
//   P+D0: F (u32), F keys (u16, ascending), F palette indexes (u8), F pixel arrays of S bytes.
// The whole layout is checked when the file is opened (every count, table, offset, name and
// script inside the file, W and H from 1 to 4096, at least one frame, every palette index below
// R, and every used bitmap-info block safe to draw a W x H frame of S bytes with), so every
// lookup below stays inside it and the figure's window has a sane size.
// Whether names and keys are sorted is not checked: lookups stay safe either way, and Scripts()
// and FrameKey() let a checker warn about it.
#pragma once

#include "content/mapped_file.h"
#include "content/name_directory.h"
#include "animation/fas/palette_record.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace card {

class FasFile {
 public:
  // Maps and checks the file; "Card.FAS is missing." or "Card.FAS is damaged: ..." otherwise.
  static Result<std::unique_ptr<FasFile>> Open(const std::string& path);
  // Checks bytes the caller keeps alive (tests, fuzzing); `name` names them in messages.
  static Result<std::unique_ptr<FasFile>> FromBytes(ByteView bytes, std::string name);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::uint16_t FrameBytes() const { return frameBytes_; }              // S
  std::uint16_t PaletteRecordCount() const { return paletteRecords_; }  // R
  std::uint32_t FrameCount() const { return frameCount_; }              // F
  std::uint16_t FrameKey(std::uint32_t index) const;          // 0 when index >= FrameCount()
  std::uint8_t FramePaletteIndex(std::uint32_t index) const;  // 0 when index >= FrameCount()
  const NameDirectory& Scripts() const { return scripts_; }

  // The NUL-terminated script stored under exactly `name`, inside the mapped view; null if none.
  const char* FindScript(std::string_view name) const;
  // Index of `key`, or where it would be inserted (possibly FrameCount()).
  std::uint32_t FindFrameKey(std::uint16_t key) const;
  // Index of the frame whose key is the id's low 16 bits; 0 when there is none.
  std::uint32_t FrameIndex(std::int32_t frameId) const;
  // The frame's S pixel bytes, and the two 104-byte bitmap-info blocks of its palette record.
  const std::uint8_t* FrameBits(std::int32_t frameId) const;
  const std::uint8_t* ImageInfo(std::int32_t frameId) const;
  const std::uint8_t* MaskInfo(std::int32_t frameId) const;

  ByteView Bytes() const { return bytes_; }

 private:
  FasFile() = default;
  static Result<std::unique_ptr<FasFile>> Index(ByteView bytes, const std::string& name);
  std::optional<Failure> CheckScripts(const std::string& name) const;
  std::optional<Failure> CheckPaletteIndexes(const std::string& name) const;
  const std::uint8_t* PaletteRecordOf(std::int32_t frameId) const;

  std::unique_ptr<MappedFile> mapping_;  // null when the caller owns the bytes
  ByteView bytes_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::uint16_t frameBytes_ = 0;
  std::uint16_t paletteRecords_ = 0;
  NameDirectory scripts_;
  std::uint32_t frameCount_ = 0;
  std::size_t keysOffset_ = 0;
  std::size_t paletteIndexesOffset_ = 0;
  std::size_t pixelsOffset_ = 0;
};

}  // namespace card
