// The zip archive against libzip, an independent reader and writer: what we write after other
// bytes, libzip lists, tests and unpacks; what libzip writes, we read. Damaged archives are
// refused with a sentence and never read out of bounds.
#include "package/zip_reader.h"
#include "package/zip_writer.h"

#include "common/byte_writer.h"
#include "package/tests/test_bytes.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

using test::BytesOf;

Bytes Noise(std::size_t size) { return test::Noise(size, 12345); }

// The files the tests pack: text, nothing, noise (stored), zeros (deflated), a UTF-8 name.
std::map<std::string, Bytes> SampleFiles() {
  return {{"Layout.txt", BytesOf("A card\r\nv2\r\n1|1|0\r\n")},
          {"empty.txt", {}},
          {"noise.bin", Noise(3000)},
          {"zeros.bmp", Bytes(100000, 0)},
          {"Gr\xC3\xBC\xC3\x9F" "e.htm", BytesOf("<p>Hallo</p>")}};
}

std::vector<ZipSource> Sources(const std::map<std::string, Bytes>& files) {
  std::vector<ZipSource> sources;
  for (const auto& [name, bytes] : files) sources.push_back({name, bytes});
  return sources;
}

// `prefix` bytes, then the archive of `files` with `comment`.
Bytes ArchiveAfter(const Bytes& prefix, const std::map<std::string, Bytes>& files,
                   std::string_view comment) {
  const Bytes commentBytes = BytesOf(comment);
  Result<Bytes> archive = WriteZipArchive(Sources(files), prefix.size(), commentBytes);
  EXPECT_TRUE(archive) << archive.error();
  Bytes file = prefix;
  if (archive) file.insert(file.end(), archive->begin(), archive->end());
  return file;
}

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};

// libzip's view of an archive in memory, opened with its consistency checks.
std::unique_ptr<zip_t, ZipCloser> LibzipOpen(const Bytes& file) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(file.data(), file.size(), 0, &error);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (archive == nullptr) {
    ADD_FAILURE() << "libzip: " << zip_error_strerror(&error);
    zip_source_free(source);
  }
  zip_error_fini(&error);
  return std::unique_ptr<zip_t, ZipCloser>(archive);
}

TEST(ZipArchive, LibzipReadsWhatWeWriteAfterAProgram) {
  const std::map<std::string, Bytes> files = SampleFiles();
  const Bytes file = ArchiveAfter(Noise(517), files, "the comment");
  auto archive = LibzipOpen(file);
  ASSERT_TRUE(archive);
  ASSERT_EQ(zip_get_num_entries(archive.get(), 0), static_cast<zip_int64_t>(files.size()));
  for (zip_uint64_t i = 0; i < files.size(); ++i) {
    zip_stat_t stat;
    ASSERT_EQ(zip_stat_index(archive.get(), i, ZIP_FL_ENC_RAW, &stat), 0);
    ASSERT_TRUE(files.count(stat.name)) << stat.name;
    const Bytes& expected = files.at(stat.name);
    EXPECT_EQ(stat.size, expected.size()) << stat.name;
    const std::string_view name = stat.name;
    if (name == "noise.bin" || name == "zeros.bmp") {
      EXPECT_EQ(stat.comp_method, name == "noise.bin" ? ZIP_CM_STORE : ZIP_CM_DEFLATE) << name;
    }
    zip_file_t* entry = zip_fopen_index(archive.get(), i, 0);
    ASSERT_NE(entry, nullptr) << stat.name;
    Bytes read(expected.size() + 1);
    EXPECT_EQ(zip_fread(entry, read.data(), read.size()),
              static_cast<zip_int64_t>(expected.size()));
    zip_fclose(entry);
    read.resize(expected.size());
    EXPECT_EQ(read, expected) << stat.name;
  }
  int length = 0;
  const char* comment = zip_get_archive_comment(archive.get(), &length, ZIP_FL_ENC_RAW);
  EXPECT_EQ(std::string(comment, static_cast<std::size_t>(length)), "the comment");
}

TEST(ZipArchive, ReadsBackWhatItWrites) {
  const std::map<std::string, Bytes> files = SampleFiles();
  const Bytes file = ArchiveAfter(Noise(517), files, "the comment");
  Result<ZipDirectory> directory = ReadZipDirectory(file);
  ASSERT_TRUE(directory) << directory.error();
  EXPECT_EQ(directory->archiveStart, 517u);
  EXPECT_EQ(std::string(directory->comment.begin(), directory->comment.end()), "the comment");
  ASSERT_EQ(directory->entries.size(), files.size());
  auto expected = files.begin();
  for (const ZipEntry& entry : directory->entries) {
    EXPECT_EQ(entry.name, expected->first);
    EXPECT_EQ(entry.utf8Name, entry.name.starts_with("Gr"));
    Result<Bytes> bytes = UnpackZipEntry(file, entry);
    ASSERT_TRUE(bytes) << bytes.error();
    EXPECT_EQ(*bytes, expected->second) << entry.name;
    ++expected;
  }
}

// libzip writes an archive of `files` into memory, each entry stored or deflated as asked.
Bytes LibzipWrite(const std::map<std::string, Bytes>& files) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(memory);
  zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, &error);
  EXPECT_NE(archive, nullptr) << zip_error_strerror(&error);
  int index = 0;
  for (const auto& [name, bytes] : files) {
    zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    const zip_int64_t added = zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8);
    EXPECT_GE(added, 0) << name;
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(added),
                             index++ % 2 ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
  }
  EXPECT_EQ(zip_close(archive), 0);
  zip_source_open(memory);
  zip_source_seek(memory, 0, SEEK_END);
  Bytes written(static_cast<std::size_t>(zip_source_tell(memory)));
  zip_source_seek(memory, 0, SEEK_SET);
  zip_source_read(memory, written.data(), written.size());
  zip_source_close(memory);
  zip_source_free(memory);
  zip_error_fini(&error);
  return written;
}

TEST(ZipArchive, ReadsWhatLibzipWrites) {
  const std::map<std::string, Bytes> files = SampleFiles();
  const Bytes file = LibzipWrite(files);
  Result<ZipDirectory> directory = ReadZipDirectory(file);
  ASSERT_TRUE(directory) << directory.error();
  ASSERT_EQ(directory->entries.size(), files.size());
  for (const ZipEntry& entry : directory->entries) {
    ASSERT_TRUE(files.count(entry.name)) << entry.name;
    Result<Bytes> bytes = UnpackZipEntry(file, entry);
    ASSERT_TRUE(bytes) << bytes.error();
    EXPECT_EQ(*bytes, files.at(entry.name)) << entry.name;
  }
}

// --- damaged archives ---------------------------------------------------------------------

// Where the `nth` record with this signature starts.
std::size_t Record(const Bytes& bytes, std::uint32_t signature, int nth = 0) {
  for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
    if (*ReadU32(bytes, at) == signature && nth-- == 0) return at;
  }
  ADD_FAILURE() << "no such record";
  return 0;
}

constexpr std::uint32_t kLocal = 0x04034B50, kCentral = 0x02014B50, kEnd = 0x06054B50;

// Two files: "a.txt" deflated, then "b.bin" stored.
Bytes TwoFiles() {
  return ArchiveAfter({}, {{"a.txt", Bytes(4000, 'a')}, {"b.bin", Noise(300)}}, "");
}

// The first failure of reading the directory and unpacking every entry, or "" for none.
std::string FirstFailure(const Bytes& file) {
  Result<ZipDirectory> directory = ReadZipDirectory(file);
  if (!directory) return directory.error();
  for (const ZipEntry& entry : directory->entries) {
    Result<Bytes> bytes = UnpackZipEntry(file, entry);
    if (!bytes) return bytes.error();
  }
  return "";
}

TEST(ZipArchive, RefusesDamagedArchivesSayingWhy) {
  struct Case {
    const char* what;
    std::function<void(Bytes&)> spoil;
    const char* says;
  };
  const Case cases[] = {
      {"no end record", [](Bytes& b) { b.resize(b.size() - 22); }, "end of its list"},
      {"nothing at all", [](Bytes& b) { b.clear(); }, "too short"},
      {"several disks", [](Bytes& b) { PutU16(b, Record(b, kEnd) + 4, 1); }, "several files"},
      {"the directory elsewhere",
       [](Bytes& b) { PutU32(b, Record(b, kEnd) + 16, *ReadU32(b, Record(b, kEnd) + 16) - 1); },
       "not where its end says"},
      {"one entry more than there is",
       [](Bytes& b) { PutU16(b, Record(b, kEnd) + 8, 3); PutU16(b, Record(b, kEnd) + 10, 3); },
       "list of files is damaged"},
      {"one entry less than there is",
       [](Bytes& b) { PutU16(b, Record(b, kEnd) + 8, 1); PutU16(b, Record(b, kEnd) + 10, 1); },
       "holds more than it says"},
      {"an encrypted entry", [](Bytes& b) { PutU16(b, Record(b, kCentral) + 8, 1); }, "encrypted"},
      {"an unknown flag", [](Bytes& b) { PutU16(b, Record(b, kCentral) + 8, 0x2000); },
       "stored in a way"},
      {"bzip2", [](Bytes& b) { PutU16(b, Record(b, kCentral) + 10, 12); }, "compressed in a way"},
      {"a 64-bit size", [](Bytes& b) { PutU32(b, Record(b, kCentral) + 24, 0xFFFFFFFF); },
       "extensions"},
      {"a local name that differs", [](Bytes& b) { b[Record(b, kLocal) + 30] = 'z'; },
       "record of its file"},
      {"a local size that differs", [](Bytes& b) { PutU32(b, Record(b, kLocal) + 22, 4001); },
       "record of its file"},
      {"no local header", [](Bytes& b) { PutU32(b, Record(b, kCentral) + 42, 7); },
       "record of its file"},
      {"data that runs into the next record",
       [](Bytes& b) {
         PutU32(b, Record(b, kLocal) + 18, *ReadU32(b, Record(b, kLocal) + 18) + 40);
         PutU32(b, Record(b, kCentral) + 20, *ReadU32(b, Record(b, kCentral) + 20) + 40);
       },
       "runs into"},
      {"two entries on one record",
       [](Bytes& b) {
         PutU32(b, Record(b, kCentral, 1) + 42, *ReadU32(b, Record(b, kCentral) + 42));
       },
       "record of its file \"b.bin\""},
      {"a stored entry whose bytes changed",
       [](Bytes& b) { b[Record(b, kCentral) - 10] ^= 0x10; }, "integrity check"},
      {"deflated data that is damaged", [](Bytes& b) { b[Record(b, kLocal) + 36] ^= 0xFF; },
       "a.txt"},
      {"deflated data longer than it says",
       [](Bytes& b) {
         PutU32(b, Record(b, kLocal) + 22, 3999);
         PutU32(b, Record(b, kCentral) + 24, 3999);
       },
       "cannot be unpacked"},
      {"deflated data shorter than it says",
       [](Bytes& b) {
         PutU32(b, Record(b, kLocal) + 22, 4001);
         PutU32(b, Record(b, kCentral) + 24, 4001);
       },
       "cannot be unpacked"},
  };
  ASSERT_EQ(FirstFailure(TwoFiles()), "");
  for (const Case& c : cases) {
    Bytes file = TwoFiles();
    c.spoil(file);
    const std::string failure = FirstFailure(file);
    EXPECT_NE(failure, "") << c.what;
    EXPECT_NE(failure.find(c.says), std::string::npos) << c.what << ": " << failure;
  }
}

}  // namespace
}  // namespace card
