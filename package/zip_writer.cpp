// Zip archive writing (see zip_writer.h).
#include "package/zip_writer.h"

#include "common/byte_writer.h"
#include "package/zip_format.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint64_t kLimit32 = std::numeric_limits<std::uint32_t>::max();

void AppendBytes(Bytes& out, ByteView bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

// The raw deflate stream of `bytes` at zlib's best compression; nothing if zlib fails.
Result<Bytes> Deflate(ByteView bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    return Fail("zlib could not start compressing.");
  }
  Bytes packed(deflateBound(&stream, static_cast<uLong>(bytes.size())));
  stream.next_in = const_cast<Bytef*>(bytes.data());
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = packed.data();
  stream.avail_out = static_cast<uInt>(packed.size());
  const int result = deflate(&stream, Z_FINISH);
  packed.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) return Fail("zlib could not compress a file.");
  return packed;
}

struct PackedFile {
  const ZipSource* source;
  std::uint16_t method;
  std::uint16_t flags;
  std::uint32_t crc;
  Bytes deflated;  // empty when stored
  std::uint32_t packedSize;
  std::uint64_t localOffset;

  ByteView Data() const { return method == zip::kStored ? source->bytes : ByteView(deflated); }
};

std::uint16_t NameFlags(const std::string& name) {
  const bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? 0 : zip::kUtf8NameFlag;
}

Result<PackedFile> Pack(const ZipSource& source) {
  if (source.bytes.size() > kLimit32) return Fail("\"" + source.name + "\" is 4 GB or more.");
  if (source.name.size() > 0xFFFF) return Fail("A file name is longer than a zip can hold.");
  PackedFile file{&source, zip::kStored, NameFlags(source.name), 0, {}, 0, 0};
  file.crc = static_cast<std::uint32_t>(
      crc32_z(0, source.bytes.data(), source.bytes.size()));
  Result<Bytes> deflated = Deflate(source.bytes);
  if (!deflated) return Fail(deflated.error());
  if (deflated->size() < source.bytes.size()) {
    file.method = zip::kDeflated;
    file.flags |= 0x0002;  // "maximum compression", as zip tools mark level 9
    file.deflated = std::move(deflated).value();
  }
  file.packedSize = static_cast<std::uint32_t>(file.Data().size());
  return file;
}

// The fields that the local and the central header share, from "version needed" on.
void PutCommonFields(Bytes& out, const PackedFile& file) {
  AppendU16(out, zip::kVersion);
  AppendU16(out, file.flags);
  AppendU16(out, file.method);
  AppendU16(out, zip::kDosTime);
  AppendU16(out, zip::kDosDate);
  AppendU32(out, file.crc);
  AppendU32(out, file.packedSize);
  AppendU32(out, static_cast<std::uint32_t>(file.source->bytes.size()));
  AppendU16(out, static_cast<std::uint16_t>(file.source->name.size()));
  AppendU16(out, 0);  // no extra field
}

void PutCentralHeader(Bytes& out, const PackedFile& file) {
  AppendU32(out, zip::kCentralHeaderSignature);
  AppendU16(out, zip::kVersion);  // made by: MS-DOS attributes
  PutCommonFields(out, file);
  AppendU16(out, 0);  // no comment
  AppendU16(out, 0);  // disk 0
  AppendU16(out, 0);  // internal attributes
  AppendU32(out, 0);  // external attributes
  AppendU32(out, static_cast<std::uint32_t>(file.localOffset));
  AppendText(out, file.source->name);
}

}  // namespace

Result<std::vector<std::uint8_t>> WriteZipArchive(std::span<const ZipSource> files,
                                                  std::uint64_t startOffset, ByteView comment) {
  if (files.size() > 0xFFFF) return Fail("A zip archive holds at most 65535 files.");
  if (comment.size() > zip::kMaxCommentSize) return Fail("The archive comment is too long.");
  std::vector<PackedFile> packed;
  Bytes out;
  for (const ZipSource& source : files) {
    Result<PackedFile> file = Pack(source);
    if (!file) return Fail(file.error());
    file->localOffset = startOffset + out.size();
    AppendU32(out, zip::kLocalHeaderSignature);
    PutCommonFields(out, *file);
    AppendText(out, source.name);
    AppendBytes(out, file->Data());
    file->deflated.clear();  // only its size and place are needed from here on
    packed.push_back(std::move(file).value());
  }
  const std::uint64_t directoryOffset = startOffset + out.size();
  for (const PackedFile& file : packed) PutCentralHeader(out, file);
  const std::uint64_t directorySize = startOffset + out.size() - directoryOffset;
  if (directoryOffset + directorySize > kLimit32) {
    return Fail("The archive would pass 4 GB, more than a zip without extensions holds.");
  }
  AppendU32(out, zip::kEndRecordSignature);
  AppendU16(out, 0);  // this disk
  AppendU16(out, 0);  // the disk with the central directory
  AppendU16(out, static_cast<std::uint16_t>(packed.size()));
  AppendU16(out, static_cast<std::uint16_t>(packed.size()));
  AppendU32(out, static_cast<std::uint32_t>(directorySize));
  AppendU32(out, static_cast<std::uint32_t>(directoryOffset));
  AppendU16(out, static_cast<std::uint16_t>(comment.size()));
  AppendBytes(out, comment);
  return out;
}

}  // namespace card
