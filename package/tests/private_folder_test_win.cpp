// The private folder under Wine: made fresh with its lock held and the current user alone let
// in, written without replacing a file, removed whole; leftovers of earlier runs go at the next
// start unless a running package holds their lock or they hold what the start never writes;
// paths the ANSI code page cannot spell are given in their short form.
#include "package/private_folder_win.h"

#include "framework/path_text_win.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <string>

namespace card {
namespace {

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh folder under the temporary folder (ending in a backslash), removed with what is in it.
class Scratch {
 public:
  Scratch() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + L"package-test-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(counter_++) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~Scratch() { RemoveTree(path_); }
  const std::wstring& Path() const { return path_; }

  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(folder + name + L"\\");
        } else {
          DeleteFileW((folder + name).c_str());
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
  }

 private:
  static inline int counter_ = 0;
  std::wstring path_;
};

void WriteFile(const std::wstring& path, const char* text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
  CloseHandle(file);
}

// A leftover as a crashed run leaves it: files, no lock.
std::wstring Leftover(const Scratch& scratch, const wchar_t* name) {
  const std::wstring folder = scratch.Path() + name + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  WriteFile(folder + L"Layout.txt", "layout");
  WriteFile(folder + L"msg.txt", "message");
  return folder;
}

TEST(PrivateFolder, IsMadeFreshWithItsLockHeldAndRemovedWhole) {
  Scratch scratch;
  Result<std::unique_ptr<PrivateFolder>> made = PrivateFolder::Make(scratch.Path());
  ASSERT_TRUE(made) << made.error();
  PrivateFolder& folder = **made;
  const std::wstring path = folder.Path();
  ASSERT_EQ(path.rfind(scratch.Path() + L"ZelkCard-", 0), 0u);
  EXPECT_EQ(path.size(), scratch.Path().size() + 18) << "ZelkCard-, eight digits, \\";
  EXPECT_TRUE(Exists(path + L"in-use.lock"));
  EXPECT_FALSE(DeleteFileW((path + L"in-use.lock").c_str())) << "the lock is held";

  const std::uint8_t bytes[] = {'h', 'i'};
  EXPECT_TRUE(folder.Write("Gr\xC3\xBC\xC3\x9F" "e.htm", bytes));
  EXPECT_TRUE(Exists(path + L"Gr\u00FC\u00DFe.htm"));
  const Status again = folder.Write("GR\xC3\xBC\xC3\x9F" "E.HTM", bytes);
  EXPECT_FALSE(again) << "an existing file is never replaced";
  EXPECT_NE(again.error().find("cannot be made"), std::string::npos) << again.error();

  Result<std::unique_ptr<PrivateFolder>> second = PrivateFolder::Make(scratch.Path());
  ASSERT_TRUE(second) << second.error();
  EXPECT_NE((*second)->Path(), path) << "each package gets a folder of its own";

  EXPECT_TRUE(folder.Remove());
  EXPECT_FALSE(Exists(path));
  EXPECT_TRUE(Exists((*second)->Path()));
}

TEST(PrivateFolder, CannotBeMadeWhereThereIsNoFolder) {
  Scratch scratch;
  const Result<std::unique_ptr<PrivateFolder>> made =
      PrivateFolder::Make(scratch.Path() + L"missing\\");
  ASSERT_FALSE(made);
  EXPECT_NE(made.error().find("A folder cannot be made there: "), std::string::npos)
      << made.error();
}

// Wine keeps no descriptor of its own for a file: it turns the one given into the Unix mode and
// back, so what can be seen is whom the folder lets in: its owner and the system alone, where a
// folder made with the parent's permissions also lets everyone read.
TEST(PrivateFolder, LetsTheCurrentUserAloneIn) {
  Scratch scratch;
  Result<std::unique_ptr<PrivateFolder>> made = PrivateFolder::Make(scratch.Path());
  ASSERT_TRUE(made) << made.error();
  PACL dacl = nullptr;
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(GetNamedSecurityInfoW((*made)->Path().c_str(), SE_FILE_OBJECT,
                                  OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                                  nullptr, &dacl, nullptr, &descriptor),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_NE(dacl, nullptr) << "a folder without a list lets everyone in";
  bool ownerAllowed = false;
  for (WORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, i, &ace));
    const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    PSID sid = const_cast<DWORD*>(&allowed->SidStart);
    const bool isOwner = EqualSid(sid, owner) != FALSE;
    ownerAllowed = ownerAllowed || isOwner;
    EXPECT_TRUE(isOwner || IsWellKnownSid(sid, WinLocalSystemSid)) << "entry " << i;
  }
  EXPECT_TRUE(ownerAllowed);
  LocalFree(descriptor);
}

TEST(PrivateFolder, LeftoversGoUnlessHeldOrHoldingWhatTheStartNeverWrites) {
  Scratch scratch;
  const std::wstring crashed = Leftover(scratch, L"ZelkCard-0000CAFE");
  const std::wstring withProgram = Leftover(scratch, L"ZelkCard-0000BEEF");
  WriteFile(withProgram + L"card.exe", "program");
  const std::wstring withFolder = Leftover(scratch, L"ZelkCard-0000F00D");
  CreateDirectoryW((withFolder + L"Documents").c_str(), nullptr);
  const std::wstring someoneElses = Leftover(scratch, L"ZelkCard-notours");
  const std::wstring otherCase = Leftover(scratch, L"zelkcard-0000CAFF");
  Result<std::unique_ptr<PrivateFolder>> held = PrivateFolder::Make(scratch.Path());
  ASSERT_TRUE(held) << held.error();
  ASSERT_TRUE((*held)->Write("Layout.txt", {}));

  RemoveLeftoverFolders(scratch.Path());
  EXPECT_FALSE(Exists(crashed));
  EXPECT_TRUE(Exists((*held)->Path() + L"Layout.txt"));
  for (const std::wstring& kept : {withProgram, withFolder, someoneElses, otherCase}) {
    EXPECT_TRUE(Exists(kept + L"Layout.txt")) << ToUtf8(kept);
  }
  EXPECT_TRUE(Exists(withProgram + L"card.exe"));
}

TEST(PathText, GivesTheShortFormOfAPathTheAnsiCodePageCannotSpell) {
  Scratch scratch;
  const std::wstring greek = scratch.Path() + L"\u03A9mega\\";
  ASSERT_TRUE(CreateDirectoryW(greek.c_str(), nullptr));
  const std::wstring safe = AnsiSafePath(greek);
  EXPECT_EQ(ToAnsi(safe).find('?'), std::string::npos) << ToAnsi(safe);
  EXPECT_TRUE(Exists(safe)) << "the short form names the same folder";
  EXPECT_EQ(AnsiSafePath(scratch.Path()), scratch.Path()) << "a spellable path stays as it is";
}

}  // namespace
}  // namespace card
