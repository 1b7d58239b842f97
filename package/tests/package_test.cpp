// Card packages: what BuildPackage writes, ReadPackage reads back (and libzip lists), Make a New
// Card's message writing keeps it a package, and every damage is refused: each refusal the
// start code needs, every cut, and every bit flipped that would change the card.
#include "package/package_reader.h"
#include "package/package_writer.h"

#include "common/byte_writer.h"
#include "newcard/card_package.h"
#include "newcard/tests/memory_package_file.h"
#include "package/package_layout.h"
#include "package/tests/test_bytes.h"
#include "package/tests/test_program.h"
#include "package/zip_writer.h"

#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <functional>
#include <map>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

using test::BytesOf;

Bytes Noise(std::size_t size) { return test::Noise(size, 99); }

const Bytes& Program() {
  static const Bytes program = test::TestProgram({.symbols = 2});
  return program;
}

// A small card: layout text, an incompressible "Card.FAS" (stored), a bitmap of zeros.
const std::map<std::string, Bytes>& CardFiles() {
  static const std::map<std::string, Bytes> files = {
      {"Layout.txt", BytesOf("A card\r\nv2\r\n1|1|0\r\n")},
      {"Card.FAS", Noise(700)},
      {"back.bmp", Bytes(5000, 0)}};
  return files;
}

std::vector<ZipSource> Sources(const std::map<std::string, Bytes>& files) {
  std::vector<ZipSource> sources;
  for (const auto& [name, bytes] : files) sources.push_back({name, bytes});
  return sources;
}

const CardMessage kAnna{"Dear Anna,\r\nHappy birthday!", true};

Bytes Package(const CardMessage& message = kAnna) {
  Result<Bytes> package = BuildPackage(Program(), Sources(CardFiles()), message);
  EXPECT_TRUE(package) << package.error();
  return package ? *package : Bytes{};
}

// Every file of the package unpacked, or the first failure of reading or unpacking it.
Result<std::map<std::string, Bytes>> Unpacked(const Bytes& file) {
  Result<CardPackage> package = ReadPackage(file);
  if (!package) return Fail(package.error());
  std::map<std::string, Bytes> files;
  for (const ZipEntry& entry : package->files) {
    Result<Bytes> bytes = UnpackZipEntry(file, entry);
    if (!bytes) return Fail(bytes.error());
    files[entry.name] = std::move(bytes).value();
  }
  return files;
}

TEST(Package, HoldsTheProgramTheFilesAndTheMessageAtM) {
  const Bytes file = Package();
  Result<CardPackage> package = ReadPackage(file);
  ASSERT_TRUE(package) << package.error();
  EXPECT_EQ(package->programSize, Program().size());
  EXPECT_TRUE(std::equal(Program().begin(), Program().end(), file.begin()));
  EXPECT_EQ(package->programCrc, crc32_z(0, Program().data(), Program().size()));

  const std::uint32_t m = *ReadU32(file, file.size() - 4);
  EXPECT_EQ(package->messageOffset, m);
  EXPECT_EQ(m, file.size() - 4 - kMessageAreaSize) << "the area lies right before M";
  const std::string area(file.begin() + m, file.begin() + m + kMessageAreaSize);
  const std::string expected = "Dear Anna,\r\nHappy birthday!\xFF\xFF";
  EXPECT_EQ(area.substr(0, expected.size() + 1), expected + '\0');
  EXPECT_EQ(area.find_first_not_of('\0', expected.size()), std::string::npos);
  EXPECT_EQ(std::string(package->MessageFile().begin(), package->MessageFile().end()), expected);

  Result<std::map<std::string, Bytes>> files = Unpacked(file);
  ASSERT_TRUE(files) << files.error();
  EXPECT_EQ(*files, CardFiles());
}

TEST(Package, IsAZipThatLibzipTestsAndListsWithTheMessageInItsComment) {
  const Bytes file = Package();
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(file.data(), file.size(), 0, &error);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  ASSERT_NE(archive, nullptr) << zip_error_strerror(&error);
  EXPECT_EQ(zip_get_num_entries(archive, 0), 3);
  for (const auto& [name, bytes] : CardFiles()) {
    zip_stat_t stat;
    ASSERT_EQ(zip_stat(archive, name.c_str(), 0, &stat), 0) << name;
    EXPECT_EQ(stat.size, bytes.size());
    EXPECT_EQ(stat.crc, crc32_z(0, bytes.data(), bytes.size()));
  }
  int length = 0;
  const char* comment = zip_get_archive_comment(archive, &length, ZIP_FL_ENC_RAW);
  const std::string text(comment, static_cast<std::size_t>(length));
  EXPECT_TRUE(text.starts_with(kStampStart)) << text;
  EXPECT_NE(text.find("Dear Anna,\r\nHappy birthday!"), std::string::npos);
  zip_discard(archive);
  zip_error_fini(&error);
}

TEST(Package, StaysAPackageWhenMakeANewCardWritesItsMessage) {
  Bytes file = Package(CardMessage{std::string(487, 'x'), false});
  const Bytes before = file;
  test::MemoryPackageFile copy(file);
  ASSERT_TRUE(WriteMessageIntoPackage(copy, CardMessage{"Hi Tom", true}));
  Result<CardPackage> package = ReadPackage(file);
  ASSERT_TRUE(package) << package.error();
  EXPECT_EQ(std::string(package->MessageFile().begin(), package->MessageFile().end()),
            "Hi Tom\xFF\xFF");
  EXPECT_EQ(*Unpacked(file), CardFiles());
  const std::size_t m = package->messageOffset;
  EXPECT_TRUE(std::equal(file.begin(), file.begin() + m, before.begin()))
      << "nothing before the area changed";
}

// A package of any names and comment, built without the writer's checks, as a damaged or
// hostile package may be: the program, the archive, the stamp, `message` and M.
Bytes UncheckedPackage(const std::vector<ZipSource>& files, std::string_view message = "Hi") {
  const auto stamp = MakeStamp(crc32_z(0, Program().data(), Program().size()));
  Bytes comment(stamp.begin(), stamp.end());
  comment.insert(comment.end(), message.begin(), message.end());
  comment.resize(kStampSize + kMessageAreaSize + 4, 0);
  Result<Bytes> archive = WriteZipArchive(files, Program().size(), comment);
  EXPECT_TRUE(archive) << archive.error();
  Bytes package = Program();
  package.insert(package.end(), archive->begin(), archive->end());
  PutU32(package, package.size() - 4,
        static_cast<std::uint32_t>(package.size() - 4 - kMessageAreaSize));
  return package;
}

Bytes Named(std::vector<std::string> names) {
  static const Bytes content = BytesOf("content");
  std::vector<ZipSource> files = {{"Layout.txt", content}};
  for (const std::string& name : names) files.push_back({name, content});
  return UncheckedPackage(files);
}

TEST(Package, RefusesEachDamageTheStartCodeMustRefuse) {
  struct Case {
    const char* what;
    std::function<Bytes()> make;
    const char* says;
  };
  const std::size_t programSize = Program().size();
  auto spoilt = [](std::function<void(Bytes&)> spoil) {
    return [spoil] {
      Bytes file = Package();
      spoil(file);
      return file;
    };
  };
  std::vector<std::string> many;
  for (int i = 0; i < 100; ++i) many.push_back("f" + std::to_string(i) + ".txt");
  const Bytes huge(kMaxUnpackedSize, 0);
  const Case cases[] = {
      {"a program alone", [] { return Program(); }, "no card"},
      {"cut after the program", spoilt([=](Bytes& b) { b.resize(programSize); }), "no card"},
      {"cut in the archive", spoilt([=](Bytes& b) { b.resize(programSize + 100); }),
       "cut short"},
      {"cut in the message area", spoilt([](Bytes& b) { b.resize(b.size() - 100); }),
       "cut short"},
      {"cut inside the program",
       spoilt([](Bytes& b) { b.resize(test::kTestProgramDataOffset + 10); }), "cut short"},
      {"a program byte changed",
       spoilt([](Bytes& b) { b[test::kTestProgramDataOffset + 5] ^= 0x04; }),
       "card program fails its integrity check"},
      {"a file's bytes changed", spoilt([](Bytes& b) {
         // Card.FAS is stored, so its first data byte follows its local header and name.
         b[Program().size() + 30 + 8] ^= 0x01;
       }),
       "\"Card.FAS\" fails its integrity check"},
      {"M outside the file", spoilt([](Bytes& b) { PutU32(b, b.size() - 4, 0x7FFFFFF0); }),
       "lies outside the file"},
      {"M at the last byte", spoilt([](Bytes& b) { PutU32(b, b.size() - 4, b.size() - 4); }),
       "lies outside the file"},
      {"M elsewhere in the file", spoilt([](Bytes& b) { PutU32(b, b.size() - 4, 100); }),
       "not where its message area is"},
      {"a message without its NUL",
       spoilt([](Bytes& b) { std::fill(b.end() - 4 - kMessageAreaSize, b.end() - 4, 'x'); }),
       "message has no end"},
      {"another zip appended", [] {
         Bytes file = Program();
         const Bytes comment = BytesOf("just a zip");
         const std::vector<ZipSource> files = {{"Layout.txt", comment}};
         Result<Bytes> archive = WriteZipArchive(files, file.size(), comment);
         file.insert(file.end(), archive->begin(), archive->end());
         return file;
       },
       "does not end as a card package's"},
      {"a file with \"..\"", [] { return Named({"..\\evil.exe"}); }, "outside the card's folder"},
      {"a file from the top", [] { return Named({"/evil.exe"}); }, "top of a drive"},
      {"a drive letter", [] { return Named({"C:evil.exe"}); }, "names a drive"},
      {"a folder", [] { return Named({"pictures/"}); }, "is a folder"},
      {"a file in a folder", [] { return Named({"pictures/back.bmp"}); }, "lies in a folder"},
      {"a device name", [] { return Named({"CON"}); }, "device"},
      {"a device name with an extension", [] { return Named({"com1.bmp"}); }, "device"},
      {"two names for one file", [] { return Named({"back.bmp", "BACK.bmp"}); },
       "two files of one name"},
      {"the program's own name", [] { return Named({"Card.exe"}); }, "keeps for a file"},
      {"msg.txt", [] { return Named({"MSG.TXT"}); }, "keeps for a file"},
      {"101 files", [many] { return Named(many); }, "101 files, more than the 100"},
      {"65 MB unpacked", [&huge] {
         const Bytes one = BytesOf("x");
         return UncheckedPackage({{"zeros.bmp", huge}, {"x.txt", one}});
       },
       "65 MB unpacked, more than the 64 MB"},
  };
  ASSERT_TRUE(Unpacked(Package()));
  for (const Case& c : cases) {
    Result<std::map<std::string, Bytes>> files = Unpacked(c.make());
    ASSERT_FALSE(files) << c.what;
    EXPECT_NE(files.error().find(c.says), std::string::npos) << c.what << ": " << files.error();
  }
}

TEST(Package, RefusesEveryCut) {
  const Bytes file = Package();
  for (std::size_t size = 0; size < file.size(); ++size) {
    EXPECT_FALSE(ReadPackage(ByteView(file).first(size))) << "cut to " << size << " bytes";
  }
}

// A bit flipped anywhere either makes the package refused or leaves the card it gives as it
// was: no flip may change the program or a file unnoticed. The message area has no check, as
// Make a New Card rewrites it; a flip there changes only the message.
TEST(Package, RefusesEveryBitFlipThatWouldChangeTheCard) {
  const Bytes original = Package();
  const std::size_t area = original.size() - 4 - kMessageAreaSize;
  int acceptedOutsideTheArea = 0;
  for (std::size_t at = 0; at < original.size(); ++at) {
    Bytes file = original;
    file[at] ^= static_cast<std::uint8_t>(1 << (at % 8));
    Result<std::map<std::string, Bytes>> files = Unpacked(file);
    if (!files) continue;
    const bool inTheArea = at >= area && at < area + kMessageAreaSize;
    acceptedOutsideTheArea += inTheArea ? 0 : 1;
    EXPECT_EQ(*files, CardFiles()) << "a flip at byte " << at << " changed the files";
    const Result<CardPackage> package = ReadPackage(file);
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + package->programSize, original.begin()))
        << "a flip at byte " << at << " changed the program";
    if (inTheArea) continue;
    EXPECT_TRUE(std::equal(package->messageArea.begin(), package->messageArea.end(),
                           original.begin() + area))
        << "a flip at byte " << at << " changed the message";
  }
  // Only the fields no reader needs (times, versions, attributes) may take a flip.
  EXPECT_LT(acceptedOutsideTheArea, 100);
}

TEST(Package, BuildRefusesWhatCannotMakeACard) {
  const std::vector<ZipSource> files = Sources(CardFiles());
  Bytes appended = Program();
  appended.push_back(7);
  struct Case {
    const char* what;
    Bytes program;
    std::vector<ZipSource> files;
    CardMessage message;
    const char* says;
  };
  const Case cases[] = {
      {"a program with bytes appended", appended, files, kAnna, "goes on past its end"},
      {"a package as the program", Package(), files, kAnna, "card package already"},
      {"no program", BytesOf("MZ"), files, kAnna, "not a Windows program"},
      {"a message too long", Program(), files, {std::string(488, 'x'), true},
       "needs 491 bytes"},
      {"a file in a folder", Program(), {{"frames/a.png", files[0].bytes}}, kAnna,
       "lies in a folder"},
      {"msg.txt among the files", Program(), {{"msg.txt", files[0].bytes}}, kAnna,
       "keeps for a file"},
  };
  for (const Case& c : cases) {
    Result<Bytes> package = BuildPackage(c.program, c.files, c.message);
    ASSERT_FALSE(package) << c.what;
    EXPECT_NE(package.error().find(c.says), std::string::npos) << c.what << ": "
                                                               << package.error();
  }
}

}  // namespace
}  // namespace card
