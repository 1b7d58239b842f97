// The new-message dialog, run modally and driven from a timer: the edit its "Centered" box
// shows, the text moving between the two edits, the 487-character limit in both (typing and
// pasting, with the caret where the input left it), and OK making the card file and showing
// the result, truthfully when no file could be written.
#include "newcard/new_message_dialog_win.h"

#include "newcard/card_package.h"
#include "newcard/new_card_file.h"
#include "newcard/tests/newcard_test_support_win.h"
#include "res/resource.h"
#include "message/message_font_win.h"

#include <gtest/gtest.h>

namespace card {
namespace {

using namespace card::test;

constexpr const char* kOldMessage = "A merry old message";
constexpr const char* kAnna = "Dear Anna,\r\nHappy birthday!";

const auto kIsNewMessageDialog = HasControl(IDC_NEW_MESSAGE_LEFT, "Edit");
const auto kIsResultDialog = HasControl(IDC_FILE_CREATED_TEXT, "Static");

// The new-message dialog once it shows edit `id`.
ModalDriver::Find NewMessageShowing(int id) {
  return [id] {
    return ThreadDialog([id](HWND d) { return kIsNewMessageDialog(d) && IsShown(d, id); });
  };
}

HWND Edit(HWND dialog, bool centred) {
  return GetDlgItem(dialog, centred ? IDC_NEW_MESSAGE_CENTRED : IDC_NEW_MESSAGE_LEFT);
}

// Types at the end of the edit's text, as after a click behind it.
void Type(HWND edit, std::string_view text) {
  const int end = GetWindowTextLengthA(edit);
  SendMessageA(edit, EM_SETSEL, end, end);
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Paste(HWND edit, const std::string& text) {
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

// A message of `length` narrow characters in words, so that it fits the edit's seven lines.
std::string LongMessage(std::size_t length) {
  std::string text;
  while (text.size() < length) text += text.size() % 8 == 7 ? ' ' : 'i';
  return text;
}

// A card package as cardkit makes one: the program, then the message area, then its offset.
Bytes Package(const CardMessage& message) {
  Result<std::vector<std::uint8_t>> package = BuildCardPackage(AsBytes("MZ card program"), message);
  EXPECT_TRUE(package.ok()) << package.error();
  return package.ok() ? *package : Bytes{};
}
constexpr std::size_t kMessageOffset = 15;  // the length of "MZ card program"

TEST(NewMessageDialog, OpensWithTheCardsMessageInTheEditItsBoxShows) {
  for (int centred : {0, 1}) {
    NewMessageDialog dialog(nullptr, kOldMessage, "");
    dialog.SetCentred(centred);
    bool shownRight = false;
    ModalDriver driver;
    driver.Then([] { return ThreadDialog(kIsNewMessageDialog); }, [&](HWND d) {
      shownRight = IsShown(d, IDC_NEW_MESSAGE_CENTRED) == (centred == 1) &&
                   IsShown(d, IDC_NEW_MESSAGE_LEFT) == (centred == 0);
      for (bool which : {false, true}) {
        EXPECT_EQ(WindowText(Edit(d, which)), kOldMessage) << centred;
        const LRESULT font = SendMessageA(Edit(d, which), WM_GETFONT, 0, 0);
        EXPECT_EQ(reinterpret_cast<HFONT>(font), MessageFont());
      }
      HWND box = GetDlgItem(d, IDC_NEW_MESSAGE_CENTRED_CHECK);
      EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), centred ? BST_CHECKED : BST_UNCHECKED);
      Click(d, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(driver.Failure(), "");
    EXPECT_TRUE(shownRight) << "centred " << centred;
    EXPECT_EQ(dialog.Message(), kOldMessage);
  }
}

TEST(NewMessageDialog, CentredMovesTheTextBetweenTheEdits) {
  NewMessageDialog dialog(nullptr, "Dear", "");
  std::string centredText;
  bool centredShown = false;
  ModalDriver driver;
  driver
      .Then([] { return ThreadDialog(kIsNewMessageDialog); },
            [&](HWND d) {
              Type(Edit(d, false), " Anna");
              Click(d, IDC_NEW_MESSAGE_CENTRED_CHECK);
            })
      .Then(NewMessageShowing(IDC_NEW_MESSAGE_CENTRED),
            [&](HWND d) {
              centredShown = !IsShown(d, IDC_NEW_MESSAGE_LEFT);
              centredText = WindowText(Edit(d, true));
              Type(Edit(d, true), "!");
              Click(d, IDC_NEW_MESSAGE_CENTRED_CHECK);
            })
      .Then(NewMessageShowing(IDC_NEW_MESSAGE_LEFT),
            [&](HWND d) {
              EXPECT_FALSE(IsShown(d, IDC_NEW_MESSAGE_CENTRED));
              EXPECT_EQ(WindowText(Edit(d, false)), "Dear Anna!");
              Click(d, IDCANCEL);
            });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(driver.Failure(), "");
  EXPECT_TRUE(centredShown);
  EXPECT_EQ(centredText, "Dear Anna");
}

TEST(NewMessageDialog, RefusesInputBeyond487CharactersInEitherEdit) {
  for (int centred : {0, 1}) {
    NewMessageDialog dialog(nullptr, "", "");
    dialog.SetCentred(centred);
    const std::string full = LongMessage(kMaxNewMessageLength);
    ModalDriver driver;
    driver.Then([] { return ThreadDialog(kIsNewMessageDialog); }, [&](HWND d) {
      HWND edit = Edit(d, centred == 1);
      Paste(edit, full);
      ASSERT_EQ(WindowText(edit), full) << "the edit itself took the whole text";
      EXPECT_EQ(dialog.Message(), full) << "487 characters are accepted";

      // The 488th character, typed in the middle: refused, the caret just after it.
      SendMessageA(edit, EM_SETSEL, 10, 10);
      SendMessageA(edit, WM_CHAR, 'x', 1);
      EXPECT_EQ(WindowText(edit), full) << centred;
      EXPECT_EQ(Selection(edit), std::make_pair(DWORD{11}, DWORD{11})) << centred;

      // A pasted block that would pass the limit is refused whole; the caret it left behind
      // lies beyond the restored text and comes back to its end.
      SendMessageA(edit, EM_SETSEL, 480, static_cast<LPARAM>(full.size()));
      Paste(edit, "\r\nWith love from all of us");
      EXPECT_EQ(WindowText(edit), full) << centred;
      EXPECT_EQ(Selection(edit), std::make_pair(DWORD(full.size()), DWORD(full.size())));

      // A line break counts as two characters.
      SendMessageA(edit, EM_SETSEL, 0, 2);
      Paste(edit, "\r\n");
      EXPECT_EQ(WindowText(edit), "\r\n" + full.substr(2)) << centred;
      SendMessageA(edit, EM_SETSEL, 2, 3);
      Paste(edit, "\r\n");
      EXPECT_EQ(WindowText(edit), "\r\n" + full.substr(2)) << centred;
      Click(d, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(driver.Failure(), "");
    EXPECT_EQ(dialog.Message(), "\r\n" + full.substr(2)) << "the last accepted text";
  }
}

// Runs the dialog: types `message` into the edit, ticks "Centered" when asked, presses OK, and
// reads the result dialog, which it then closes with its visible OK.
struct OkRun {
  INT_PTR result = 0;
  std::string resultText;
  bool offersMail = false;
  std::string driverFailure;
};

OkRun PressOk(NewMessageDialog& dialog, const std::string& message, bool tickCentred) {
  OkRun run;
  ModalDriver driver;
  driver
      .Then([] { return ThreadDialog(kIsNewMessageDialog); },
            [&](HWND d) {
              SetWindowTextA(Edit(d, false), "");
              Paste(Edit(d, false), message);
              if (tickCentred) Click(d, IDC_NEW_MESSAGE_CENTRED_CHECK);
              Click(d, IDOK);
            })
      .Then([] { return ThreadDialog(kIsResultDialog); },
            [&](HWND d) {
              run.resultText = WindowText(GetDlgItem(d, IDC_FILE_CREATED_TEXT));
              run.offersMail = IsShown(d, IDC_START_EMAIL);
              Click(d, run.offersMail ? IDC_FILE_CREATED_OK : IDOK);
            });
  run.result = dialog.DoModal();
  run.driverFailure = driver.Failure();
  return run;
}

TEST(NewMessageDialog, OkMakesTheCardBesideThePackageAndSaysSo) {
  ScratchFolder folder;
  const std::string package = folder.Path("Greeting.exe");
  const Bytes packageBytes = Package(CardMessage{"An old message, longer than the new one", false});
  ASSERT_TRUE(WriteFileBytes(package, packageBytes));

  for (const char* name : {"ANNA.EXE", "ANNA(2).EXE"}) {
    NewMessageDialog dialog(nullptr, kOldMessage, package);
    const OkRun run = PressOk(dialog, kAnna, true);
    EXPECT_EQ(run.driverFailure, "");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(dialog.Message(), kAnna);
    EXPECT_EQ(dialog.Centred(), 1);
    EXPECT_EQ(run.resultText, "The file \"" + folder.Path(name) +
                                  "\"\r\nhas been created for you.\r\n\r\nYou can send it to "
                                  "your friend as an e-mail attachment.");

    Bytes expected = packageBytes;
    Bytes area = AsBytes(std::string(kAnna) + "\xFF\xFF" + std::string(1, '\0'));
    area.resize(kMessageAreaSize, 0);  // nothing of the old message is left
    std::copy(area.begin(), area.end(), expected.begin() + kMessageOffset);
    EXPECT_EQ(ReadFileBytes(folder.Path(name)), expected) << name;
  }
  EXPECT_EQ(ReadFileBytes(package), packageBytes) << "the package itself is left as it was";
}

TEST(NewMessageDialog, OkWithoutAPackageShowsThePathAndWritesNothing) {
  ScratchFolder folder;
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
  NewMessageDialog dialog(nullptr, kOldMessage, "");
  const OkRun run = PressOk(dialog, kAnna, false);
  SetCurrentDirectoryA(previous);

  EXPECT_EQ(run.driverFailure, "");
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.resultText,
            "The file \"ANNA.EXE\"\r\nwas not written: this card was started without a card "
            "package to copy, so no new card file can be made.");
  EXPECT_FALSE(run.offersMail);
  EXPECT_TRUE(FilesIn(folder.Path()).empty());
}

TEST(NewMessageDialog, OkTellsWhyTheCardCouldNotBeMadeAndLeavesNoFile) {
  // The offset at its end leaves four bytes for the message area.
  Bytes cramped = AsBytes("MZ card program");
  for (std::uint8_t b : {11, 0, 0, 0}) cramped.push_back(b);
  const struct {
    const char* name;
    const Bytes* packageContent;  // null: there is no package file
    std::string reasonStart;
  } cases[] = {
      {"missing package", nullptr, "The card package \""},
      {"no room", &cramped,
       "The card package has no room for the message: the message needs 28 bytes at offset 11, "
       "but only 4 lie before the offset stored at its end."},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    const std::string package = folder.Path("Greeting.exe");
    if (c.packageContent) {
      ASSERT_TRUE(WriteFileBytes(package, *c.packageContent));
    }
    const std::vector<std::string> before = FilesIn(folder.Path());

    NewMessageDialog dialog(nullptr, kOldMessage, package);
    const OkRun run = PressOk(dialog, kAnna, false);
    EXPECT_EQ(run.driverFailure, "") << c.name;
    EXPECT_EQ(run.result, IDOK) << c.name;
    const std::string start =
        "The new card \"" + folder.Path("ANNA.EXE") + "\"\r\ncould not be made.\r\n\r\n";
    EXPECT_EQ(run.resultText.substr(0, start.size() + c.reasonStart.size()),
              start + c.reasonStart)
        << c.name;
    EXPECT_FALSE(run.offersMail) << c.name;
    EXPECT_EQ(FilesIn(folder.Path()), before) << c.name;
  }
}

TEST(NewMessageDialog, CancelMakesNothing) {
  ScratchFolder folder;
  const std::string package = folder.Path("Greeting.exe");
  ASSERT_TRUE(WriteFileBytes(package, Package(CardMessage{"Old", false})));
  NewMessageDialog dialog(nullptr, kOldMessage, package);
  ModalDriver driver;
  driver.Then([] { return ThreadDialog(kIsNewMessageDialog); }, [](HWND d) {
    Type(Edit(d, false), "Dear Anna");
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(driver.Failure(), "");
  EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"Greeting.exe"});
}

}  // namespace
}  // namespace card
