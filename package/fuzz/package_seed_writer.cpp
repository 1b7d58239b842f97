// Writes a few well-formed card packages into the folder named on the command line, as the
// starting corpus of package_fuzzer: one file, several with a UTF-8 name and a centred
// message, and a 64-bit program with symbols and an empty file.
#include "common/tests/seed_file.h"
#include "package/package_writer.h"
#include "package/tests/test_bytes.h"
#include "package/tests/test_program.h"

#include <filesystem>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

bool Save(const std::filesystem::path& path, const Bytes& program,
          const std::vector<card::ZipSource>& files, const card::CardMessage& message) {
  return card::testing::SaveSeed(path, card::BuildPackage(program, files, message));
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<std::filesystem::path> corpus = card::testing::SeedFolder(argc, argv);
  if (!corpus) return 2;
  const std::filesystem::path& folder = *corpus;
  const Bytes layout = card::test::BytesOf("A card\r\nv2\r\n1|1|0\r\n");
  const Bytes text = card::test::BytesOf("<p>a page, a page, a page</p>");
  const Bytes zeros(600, 0);
  const Bytes none;

  bool ok = Save(folder / "one.exe", card::test::TestProgram(), {{"Layout.txt", layout}},
                 {"Hello", false});
  ok = Save(folder / "several.exe", card::test::TestProgram(),
            {{"Layout.txt", layout}, {"Gr\xC3\xBC\xC3\x9F" "e.htm", text}, {"back.bmp", zeros}},
            {"Dear Anna,\r\nHappy birthday!", true}) && ok;
  ok = Save(folder / "symbols.exe", card::test::TestProgram({.pe32Plus = true, .symbols = 3}),
            {{"empty.txt", none}, {"Card.FAS", zeros}}, {"", true}) && ok;
  return ok ? 0 : 1;
}
