// Zip archive reading (see zip_reader.h).
#include "package/zip_reader.h"

#include "package/entry_name_rules.h"
#include "package/zip_format.h"

#include <zlib.h>

#include <algorithm>
#include <string_view>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kKnownFlags = zip::kUtf8NameFlag | zip::kDeflateLevelFlags;
constexpr std::uint32_t kExtended32 = 0xFFFFFFFF;  // a 64-bit extension holds the real value
constexpr std::size_t kInflateChunk = 64 * 1024;

// Reads fields one after another from a fixed place; any read past the end makes it fail.
class FieldReader {
 public:
  FieldReader(ByteView bytes, std::uint64_t at) : bytes_(bytes), at_(at) {}
  std::uint16_t U16() {
    const auto value = at_ <= bytes_.size() ? ReadU16(bytes_, at_) : std::nullopt;
    at_ += 2;
    ok_ = ok_ && value.has_value();
    return value.value_or(0);
  }
  std::uint32_t U32() {
    const auto value = at_ <= bytes_.size() ? ReadU32(bytes_, at_) : std::nullopt;
    at_ += 4;
    ok_ = ok_ && value.has_value();
    return value.value_or(0);
  }
  std::string Text(std::size_t length) {
    if (!ok_ || !FitsIn(bytes_.size(), at_, length)) {
      ok_ = false;
      return {};
    }
    std::string text(reinterpret_cast<const char*>(bytes_.data() + at_), length);
    at_ += length;
    return text;
  }
  void Skip(std::size_t length) { at_ += length; }
  bool ok() const { return ok_ && at_ <= bytes_.size(); }
  std::uint64_t at() const { return at_; }

 private:
  ByteView bytes_;
  std::uint64_t at_;
  bool ok_ = true;
};

struct EndRecord {
  std::uint64_t offset;
  std::uint16_t entryCount;
  std::uint32_t directorySize;
  std::uint32_t directoryOffset;
};

// The end record: the last place where its signature stands and its comment reaches exactly to
// the end of the file.
Result<EndRecord> FindEndRecord(ByteView file) {
  if (file.size() < zip::kEndRecordSize) return Fail("It is too short to hold a list of files.");
  const std::uint64_t last = file.size() - zip::kEndRecordSize;
  const std::uint64_t first = last > zip::kMaxCommentSize ? last - zip::kMaxCommentSize : 0;
  for (std::uint64_t at = last + 1; at-- > first;) {
    if (ReadU32(file, at) != zip::kEndRecordSignature) continue;
    if (ReadU16(file, at + 20) != last - at) continue;
    FieldReader record(file, at + 4);
    const std::uint16_t disk = record.U16();
    const std::uint16_t directoryDisk = record.U16();
    const std::uint16_t entriesHere = record.U16();
    EndRecord end{at, record.U16(), record.U32(), record.U32()};
    if (disk != 0 || directoryDisk != 0 || entriesHere != end.entryCount) {
      return Fail("Its list of files says it is spread over several files.");
    }
    return end;
  }
  return Fail("The end of its list of files is missing: it is cut short or damaged.");
}

struct CentralHeader {
  ZipEntry entry;
  std::uint16_t flags;
  std::uint64_t localOffset;
};

Result<CentralHeader> ReadCentralHeader(FieldReader& in) {
  const std::string damaged = "Its list of files is damaged.";
  if (in.U32() != zip::kCentralHeaderSignature) return Fail(damaged);
  in.Skip(4);  // versions "made by" and "needed"
  CentralHeader header{};
  header.flags = in.U16();
  header.entry.method = in.U16();
  in.Skip(4);  // time and date
  header.entry.crc32 = in.U32();
  header.entry.packedSize = in.U32();
  header.entry.size = in.U32();
  const std::uint16_t nameLength = in.U16();
  const std::uint16_t extraLength = in.U16();
  const std::uint16_t commentLength = in.U16();
  const std::uint16_t disk = in.U16();
  in.Skip(6);  // internal and external attributes
  header.localOffset = in.U32();
  header.entry.name = in.Text(nameLength);
  in.Skip(extraLength + std::size_t{commentLength});
  if (!in.ok()) return Fail("Its list of files is cut short.");
  const std::string name = ShownEntryName(header.entry.name);
  if (header.flags & 0x0001) return Fail("Its file " + name + " is encrypted.");
  if (header.flags & ~kKnownFlags) {
    return Fail("Its file " + name + " is stored in a way a card cannot read.");
  }
  if (header.entry.method != zip::kStored && header.entry.method != zip::kDeflated) {
    return Fail("Its file " + name + " is compressed in a way a card cannot read.");
  }
  if (disk != 0 || header.entry.packedSize == kExtended32 || header.entry.size == kExtended32 ||
      header.localOffset == kExtended32) {
    return Fail("Its file " + name + " needs zip extensions a card cannot read.");
  }
  if (header.entry.method == zip::kStored && header.entry.packedSize != header.entry.size) {
    return Fail(damaged);
  }
  header.entry.utf8Name = (header.flags & zip::kUtf8NameFlag) != 0;
  return header;
}

// Checks the local header against the central one and finds where the data starts.
Status ReadLocalHeader(ByteView file, CentralHeader& header) {
  const std::string damaged = "The record of its file " + ShownEntryName(header.entry.name) +
                              " is damaged.";
  FieldReader in(file, header.localOffset);
  if (in.U32() != zip::kLocalHeaderSignature) return Fail(damaged);
  in.Skip(2);  // version needed
  const std::uint16_t flags = in.U16();
  const std::uint16_t method = in.U16();
  in.Skip(4);  // time and date
  const std::uint32_t crc = in.U32();
  const std::uint32_t packedSize = in.U32();
  const std::uint32_t size = in.U32();
  const std::uint16_t nameLength = in.U16();
  const std::uint16_t extraLength = in.U16();
  const std::string name = in.Text(nameLength);
  in.Skip(extraLength);
  if (!in.ok()) return Fail(damaged);
  const ZipEntry& entry = header.entry;
  if (flags != header.flags || method != entry.method || crc != entry.crc32 ||
      packedSize != entry.packedSize || size != entry.size || name != entry.name) {
    return Fail(damaged);
  }
  header.entry.dataOffset = in.at();
  return {};
}

// Each entry's record and data must lie between the archive's start and the central
// directory, one after another, so that no byte belongs to two entries.
Status CheckPlaces(const std::vector<CentralHeader>& headers, std::uint64_t directoryOffset) {
  for (std::size_t i = 0; i < headers.size(); ++i) {
    const ZipEntry& entry = headers[i].entry;
    const std::uint64_t next =
        i + 1 < headers.size() ? headers[i + 1].localOffset : directoryOffset;
    if (!FitsIn(next, entry.dataOffset, entry.packedSize)) {
      return Fail("The data of its file " + ShownEntryName(entry.name) +
                  " runs into what follows it.");
    }
  }
  return {};
}

}  // namespace

Result<ZipDirectory> ReadZipDirectory(ByteView file) {
  Result<EndRecord> end = FindEndRecord(file);
  if (!end) return Fail(end.error());
  if (std::uint64_t{end->directoryOffset} + end->directorySize != end->offset) {
    return Fail("Its list of files is not where its end says.");
  }
  FieldReader in(file.first(end->offset), end->directoryOffset);
  std::vector<CentralHeader> headers;
  for (std::uint16_t i = 0; i < end->entryCount; ++i) {
    Result<CentralHeader> header = ReadCentralHeader(in);
    if (!header) return Fail(header.error());
    headers.push_back(std::move(header).value());
  }
  if (in.at() != end->offset) return Fail("Its list of files holds more than it says.");
  std::sort(headers.begin(), headers.end(),
            [](const CentralHeader& a, const CentralHeader& b) {
              return a.localOffset < b.localOffset;
            });
  for (CentralHeader& header : headers) {
    if (Status local = ReadLocalHeader(file.first(end->directoryOffset), header); !local) {
      return Fail(local.error());
    }
  }
  if (Status places = CheckPlaces(headers, end->directoryOffset); !places) {
    return Fail(places.error());
  }
  ZipDirectory directory;
  directory.archiveStart = headers.empty() ? end->directoryOffset : headers.front().localOffset;
  directory.endRecordOffset = end->offset;
  directory.comment = file.subspan(end->offset + zip::kEndRecordSize);
  for (CentralHeader& header : headers) directory.entries.push_back(std::move(header.entry));
  return directory;
}

namespace {

// Inflates `packed` into exactly `size` bytes; fails when the stream is damaged, ends early,
// goes on past `size` or leaves packed bytes unused.
Result<Bytes> Inflate(ByteView packed, std::uint64_t size, const std::string& name) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return Fail("zlib could not start unpacking.");
  stream.next_in = const_cast<Bytef*>(packed.data());
  stream.avail_in = static_cast<uInt>(packed.size());
  Bytes out;
  int result = Z_OK;
  // The output grows a chunk at a time, so a false size claims no memory up front.
  while (result == Z_OK && out.size() < size) {
    const std::size_t before = out.size();
    out.resize(before + static_cast<std::size_t>(std::min<std::uint64_t>(kInflateChunk,
                                                                         size - before)));
    stream.next_out = out.data() + before;
    stream.avail_out = static_cast<uInt>(out.size() - before);
    result = inflate(&stream, Z_NO_FLUSH);
    out.resize(out.size() - stream.avail_out);
  }
  if (result == Z_OK) {
    // All `size` bytes are out: the stream must end here without a byte more.
    std::uint8_t extra = 0;
    stream.next_out = &extra;
    stream.avail_out = 1;
    result = inflate(&stream, Z_NO_FLUSH);
    if (stream.avail_out == 0) result = Z_DATA_ERROR;
  }
  const bool whole = result == Z_STREAM_END && out.size() == size && stream.avail_in == 0;
  inflateEnd(&stream);
  if (!whole) return Fail("Its file " + name + " is damaged and cannot be unpacked.");
  return out;
}

}  // namespace

Result<std::vector<std::uint8_t>> UnpackZipEntry(ByteView file, const ZipEntry& entry) {
  if (!FitsIn(file.size(), entry.dataOffset, entry.packedSize)) {
    return Fail("Its file " + ShownEntryName(entry.name) + " is cut short.");
  }
  const ByteView packed = file.subspan(entry.dataOffset, entry.packedSize);
  Result<Bytes> bytes = entry.method == zip::kDeflated
                            ? Inflate(packed, entry.size, ShownEntryName(entry.name))
                            : Result<Bytes>(Bytes(packed.begin(), packed.end()));
  if (!bytes) return bytes;
  const auto crc = static_cast<std::uint32_t>(
      crc32_z(0, bytes->data(), bytes->size()));
  if (crc != entry.crc32) {
    return Fail("Its file " + ShownEntryName(entry.name) +
                " fails its integrity check (CRC-32): its bytes have been changed.");
  }
  return bytes;
}

}  // namespace card
