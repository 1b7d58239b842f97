// The sound bank: a hand-built Card.WAS looked up by name in any case, an empty bank, and
// damaged banks refused with the first inconsistency.
#include "sound/was_file.h"

#include "common/tests/byte_builder.h"
#include "common/tests/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace card {
namespace {

using Bytes = std::vector<std::uint8_t>;

// D0 (unused) = 0xDEADBEEF, N = 3, entries at 8, area at 32 with the names first:
//   32 "BEEP"   37 "BOING"   43 "hush"
//   48 BEEP's clip: L = 4, samples 1 0 2 0    56 BOING's: L = 2, samples 0x34 0x12
//   62 hush's: L = 0    66 end
// "hush" is stored in lower case, so no request can reach it.
Bytes HandBuiltBank() {
  testing::ByteBuilder out;
  out.U32(0xDEADBEEF).U32(3);
  out.U32(0).U32(16).U32(5).U32(24).U32(11).U32(30);
  out.Text("BEEP").Text("BOING").Text("hush");
  out.U32(4).U8(1).U8(0).U8(2).U8(0);
  out.U32(2).U8(0x34).U8(0x12);
  out.U32(0);
  return out.Bytes();
}

std::unique_ptr<WasFile> Read(const Bytes& bytes) {
  auto bank = WasFile::FromBytes(bytes, "Card.WAS");
  EXPECT_TRUE(bank.ok()) << bank.error();
  return bank.ok() ? std::move(bank.value()) : nullptr;
}

TEST(WasFile, FindsClipsByNameInAnyCase) {
  const Bytes bytes = HandBuiltBank();
  auto bank = Read(bytes);
  ASSERT_TRUE(bank);
  for (const char* name : {"BEEP", "beep", "Beep", "bEeP"}) {
    auto clip = bank->FindSound(name);
    ASSERT_TRUE(clip) << name;
    EXPECT_EQ(clip->data(), bytes.data() + 52) << "played in place, just past the count";
    EXPECT_EQ(Bytes(clip->begin(), clip->end()), (Bytes{1, 0, 2, 0}));
  }
  auto boing = bank->FindSound("Boing");
  ASSERT_TRUE(boing);
  EXPECT_EQ(Bytes(boing->begin(), boing->end()), (Bytes{0x34, 0x12}));
  for (const char* absent : {"hush", "HUSH", "BEE", "BEEPS", "", "B"}) {
    EXPECT_FALSE(bank->FindSound(absent)) << absent;
  }
  ASSERT_EQ(bank->Sounds().Count(), 3u);
  EXPECT_EQ(bank->Sounds().Name(2), "hush");
  EXPECT_TRUE(bank->Clip(2).empty());
  EXPECT_EQ(bank->Clip(1).size(), 2u);
}

TEST(WasFile, AnEmptyBankFindsNothing) {
  const Bytes bytes = testing::ByteBuilder().U32(0).U32(0).Bytes();
  auto bank = Read(bytes);
  ASSERT_TRUE(bank);
  EXPECT_FALSE(bank->FindSound("BEEP"));
  EXPECT_FALSE(bank->FindSound(""));
}

TEST(SoundNameKey, UpperCasesAsciiLettersOnly) {
  EXPECT_EQ(SoundNameKey("Boing-2_x"), "BOING-2_X");
  EXPECT_EQ(SoundNameKey("\xE9t\xE9"), "\xE9T\xE9");
}

TEST(WasFileDamage, RefusesEachDamageWithItsMessage) {
  auto truncate = [](std::size_t size) { return [size](Bytes& b) { b.resize(size); }; };
  auto set32 = [](std::size_t offset, std::uint32_t value) {
    return [=](Bytes& b) {
      for (int i = 0; i < 4; ++i) b[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
  };
  struct Case {
    const char* what;
    std::function<void(Bytes&)> damage;
    const char* message;  // after "Card.WAS is damaged: "
  };
  const Case cases[] = {
      {"empty", truncate(0),
       "the sound directory's header ends at byte 8 but the file has 0 bytes."},
      {"cut in the header", truncate(6),
       "the sound directory's header ends at byte 8 but the file has 6 bytes."},
      {"cut in the entries", truncate(20),
       "the sound directory's table of 3 entries ends at byte 32 but the file has 20 bytes."},
      {"huge N", set32(4, 0x20000000),
       "the sound directory's table of 536870912 entries ends at byte 4294967304 but the file "
       "has 66 bytes."},
      {"unterminated name", truncate(35),
       "sound 0's name has no ending NUL before the end of the file."},
      {"name offset past the end", set32(16, 0xFFFFFFFF),
       "sound 1's name starts at byte 4294967327 but the file has 66 bytes."},
      {"clip offset past the end", set32(12, 0xFFFFFFFF),
       "the byte count of sound \"BEEP\" ends at byte 4294967331 but the file has 66 bytes."},
      {"cut in a byte count", truncate(64),
       "the byte count of sound \"hush\" ends at byte 66 but the file has 64 bytes."},
      {"cut in the samples", truncate(61),
       "the sound \"BOING\" ends at byte 62 but the file has 61 bytes."},
      {"count beyond the file", set32(56, 1000),
       "the sound \"BOING\" ends at byte 1060 but the file has 66 bytes."},
      {"huge count", set32(48, 0xFFFFFFFF),
       "the sound \"BEEP\" ends at byte 4294967347 but the file has 66 bytes."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = HandBuiltBank();
    c.damage(bytes);
    auto bank = WasFile::FromBytes(bytes, "Card.WAS");
    ASSERT_FALSE(bank.ok());
    EXPECT_EQ(bank.error(), std::string("Card.WAS is damaged: ") + c.message);
  }
}

TEST(WasFileOpen, NamesTheFileWhenMissingOrDamaged) {
  testing::TempFolder folder;
  auto bank = WasFile::Open(folder.Write("Card.WAS", HandBuiltBank()));
  ASSERT_TRUE(bank.ok()) << bank.error();
  EXPECT_TRUE(bank.value()->FindSound("beep"));
  Bytes cut = HandBuiltBank();
  cut.resize(61);
  const std::string damaged = folder.Write("Cut.WAS", cut);
  EXPECT_EQ(
      WasFile::Open(damaged).error(),
      damaged + " is damaged: the sound \"BOING\" ends at byte 62 but the file has 61 bytes.");
  EXPECT_EQ(WasFile::Open(folder.Path("Gone.WAS")).error(),
            folder.Path("Gone.WAS") + " is missing.");
}

}  // namespace
}  // namespace card
