// Laying out Card.FAS.
#include "animation/fas/fas_writer.h"

#include "common/byte_writer.h"
#include "content/content_damage.h"
#include "content/name_directory_writer.h"

#include <algorithm>
#include <optional>

namespace card {

namespace {

constexpr std::size_t kTableBEntrySizeOffset = 8;  // inside the first palette record

std::optional<Failure> CheckTables(const FasContents& contents) {
  if (contents.paletteRecords.size() > UINT16_MAX) {
    return Fail("A frame-animation file holds at most 65535 palette records.");
  }
  if (contents.tableA.size() > UINT16_MAX || contents.tableB.size() > UINT16_MAX) {
    return Fail("Tables A and B hold at most 65535 entries each.");
  }
  if (contents.tableB.empty()) return std::nullopt;
  if (contents.tableA.empty()) return Fail("Table B can only be stored when table A is not empty.");
  if (contents.paletteRecords.empty()) {
    return Fail("Table B needs a palette record, which gives the size of its entries.");
  }
  const std::uint32_t entrySize = *ReadU32(contents.paletteRecords.front(), kTableBEntrySizeOffset);
  for (const auto& entry : contents.tableB) {
    if (entry.size() != entrySize) {
      return Fail("Every entry of table B must be " + std::to_string(entrySize) + " bytes long.");
    }
  }
  return std::nullopt;
}

std::optional<Failure> CheckFrames(const FasContents& contents,
                                   const std::vector<FasFrame>& sorted) {
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    if (sorted[i].pixels.size() != contents.frameBytes) {
      return Fail("Frame " + std::to_string(sorted[i].key) + " has " +
                  std::to_string(sorted[i].pixels.size()) + " pixel bytes instead of " +
                  std::to_string(contents.frameBytes) + ".");
    }
    if (i > 0 && sorted[i - 1].key == sorted[i].key) {
      return Fail("Two frames have the key " + std::to_string(sorted[i].key) + ".");
    }
  }
  return std::nullopt;
}

}  // namespace

Result<std::vector<std::uint8_t>> WriteFas(const FasContents& contents) {
  if (auto failure = CheckTables(contents)) return *failure;
  std::vector<FasFrame> frames = contents.frames;
  std::stable_sort(frames.begin(), frames.end(),
                   [](const FasFrame& a, const FasFrame& b) { return a.key < b.key; });
  if (auto failure = CheckFrames(contents, frames)) return *failure;

  std::vector<NamedValue> scripts;
  for (const FasScript& script : contents.scripts) {
    if (script.text.find('\0') != std::string::npos) {
      return Fail("The script " + QuotedName(script.name) +
                  " holds a NUL byte, which would end it early.");
    }
    NamedValue entry{script.name, {script.text.begin(), script.text.end()}};
    entry.value.push_back(0);
    scripts.push_back(std::move(entry));
  }
  // D0 is the directory's own size, so that the frame block follows it directly.
  auto directory = WriteNameDirectory(0, std::move(scripts), "script");
  if (!directory) return Fail(directory.error());
  std::vector<std::uint8_t> directoryBytes = std::move(directory.value());
  const auto directorySize = static_cast<std::uint32_t>(directoryBytes.size());
  for (int i = 0; i < 4; ++i)
    directoryBytes[i] = static_cast<std::uint8_t>(directorySize >> (8 * i));

  std::vector<std::uint8_t> out;
  for (std::uint32_t word : contents.headerWords) AppendU32(out, word);
  AppendU32(out, static_cast<std::uint32_t>(contents.width));
  AppendU32(out, static_cast<std::uint32_t>(contents.height));
  AppendU16(out, contents.frameBytes);
  AppendU16(out, static_cast<std::uint16_t>(contents.paletteRecords.size()));
  for (const PaletteRecord& record : contents.paletteRecords)
    out.insert(out.end(), record.begin(), record.end());
  AppendU16(out, static_cast<std::uint16_t>(contents.tableA.size()));
  for (std::uint32_t entry : contents.tableA) AppendU32(out, entry);
  if (!contents.tableA.empty()) {
    AppendU16(out, static_cast<std::uint16_t>(contents.tableB.size()));
    for (const auto& entry : contents.tableB) out.insert(out.end(), entry.begin(), entry.end());
  }
  out.insert(out.end(), directoryBytes.begin(), directoryBytes.end());
  AppendU32(out, static_cast<std::uint32_t>(frames.size()));
  for (const FasFrame& frame : frames) AppendU16(out, frame.key);
  for (const FasFrame& frame : frames) out.push_back(frame.paletteIndex);
  for (const FasFrame& frame : frames)
    out.insert(out.end(), frame.pixels.begin(), frame.pixels.end());
  return out;
}

}  // namespace card
