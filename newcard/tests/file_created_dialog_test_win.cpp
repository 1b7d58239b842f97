// The result dialog, run modally and driven from a timer, with stand-ins of the mail library
// that record their calls: which buttons it offers, the text it shows, the logon rule of
// "Start E-Mail", the "Couldn't start Mail" box, and that closing it sends nothing.
#include "newcard/file_created_dialog_win.h"

#include "newcard/tests/newcard_test_support_win.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <sstream>

namespace card {
namespace {

using namespace card::test;

constexpr const char* kWholeLibrary = "fake_mail";
constexpr const char* kLibraryWithoutSend = "fake_mail_partial";
constexpr const char* kNoLibrary = "no_such_mail_library";
constexpr const char* kCardPath = "C:\\cards\\ANNA(2).EXE";
constexpr const char* kText =
    "The file \"C:\\cards\\ANNA(2).EXE\"\r\nhas been created for you.\r\n\r\n"
    "You can send it to your friend as an e-mail attachment.";

// What one run of the dialog showed and did.
struct DialogRun {
  INT_PTR result = 0;
  std::string text;
  std::vector<int> shownButtons;
  std::string box;  // the text of the message box it showed, "" for none
  std::vector<std::string> mailCalls;
  std::string driverFailure;
};

class FileCreatedDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    log_ = folder_.Path("mail-calls.txt");
    SetEnvironmentVariableA("CARD_FAKE_MAIL_LOG", log_.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("CARD_FAKE_MAIL_LOG", nullptr);
    SetEnvironmentVariableA("CARD_FAKE_MAIL_LOGON", nullptr);
  }

  // Runs the dialog with `library`; once it is up, presses button `press`, and when
  // `expectBox`, closes the message box it then shows.
  DialogRun RunDialog(const char* library, bool offersMail, int press,
                      const char* logonResults = "", bool expectBox = false) {
    SetEnvironmentVariableA("CARD_FAKE_MAIL_LOGON", logonResults);
    DialogRun run;
    FileCreatedDialog dialog(nullptr, LoadLibraryA(library));
    dialog.SetFile(kCardPath);
    dialog.SetText(kText);
    dialog.SetOffersMail(offersMail);
    ModalDriver driver;
    driver.Then([&] { return dialog.Handle(); },
                [&](HWND shown) {
                  run.text = WindowText(GetDlgItem(shown, IDC_FILE_CREATED_TEXT));
                  for (int id : {IDOK, IDC_START_EMAIL, IDC_FILE_CREATED_OK}) {
                    if (IsShown(shown, id)) run.shownButtons.push_back(id);
                  }
                  Click(shown, press);
                });
    if (expectBox) {
      // Found only when the result dialog owns it.
      driver.Then([&] { return MessageBoxOf(dialog.Handle()); },
                  [&](HWND box) {
                    run.box = WindowText(GetDlgItem(box, 0xFFFF));
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                  });
    }
    run.result = dialog.DoModal();
    run.driverFailure = driver.Failure();
    const Bytes log = ReadFileBytes(log_);
    std::istringstream calls(std::string(log.begin(), log.end()));
    for (std::string line; std::getline(calls, line);) run.mailCalls.push_back(line);
    return run;
  }

  ScratchFolder folder_;
  std::string log_;
};

TEST_F(FileCreatedDialogTest, ShowsItsTextAndOffersMailOnlyWithTheLibraryAndAFile) {
  const struct {
    const char* library;
    bool offersMail;
    std::vector<int> shown;
  } cases[] = {
      {kWholeLibrary, true, {IDC_START_EMAIL, IDC_FILE_CREATED_OK}},
      // The library is there, though it lacks an entry point: the pair is still offered.
      {kLibraryWithoutSend, true, {IDC_START_EMAIL, IDC_FILE_CREATED_OK}},
      {kNoLibrary, true, {IDOK}},
      {kWholeLibrary, false, {IDOK}},
  };
  for (const auto& c : cases) {
    const int ok = c.shown.size() == 1 ? IDOK : IDC_FILE_CREATED_OK;
    const DialogRun run = RunDialog(c.library, c.offersMail, ok);
    const std::string what = std::string(c.library) + (c.offersMail ? " with a file" : "");
    EXPECT_EQ(run.driverFailure, "") << what;
    EXPECT_EQ(run.result, IDOK) << what;
    EXPECT_EQ(run.text, kText) << what;
    EXPECT_EQ(run.shownButtons, c.shown) << what;
    EXPECT_TRUE(run.mailCalls.empty()) << what;
  }
}

TEST_F(FileCreatedDialogTest, StartEmailLogsOnSendsTheFileAndLogsOff) {
  const std::string parent = "parent=\"Zelk Greeting Card\"";
  const std::string logon = "MAPILogon " + parent + " profile=null password=null";
  const std::string send = "MAPISendDocuments " + parent + " delimiter=\";\" paths=\"" +
                           kCardPath + "\" names=null reserved=0";
  const std::string logoff = "MAPILogoff session=24149 " + parent + " flags=0 reserved=0";
  const struct {
    const char* logonResults;
    std::vector<std::string> calls;
    const char* box;
  } cases[] = {
      {"0", {logon + " flags=0 reserved=0 -> 0", send, logoff}, ""},
      {"3,0",
       {logon + " flags=0 reserved=0 -> 3", logon + " flags=1 reserved=0 -> 0", send, logoff},
       ""},
      {"3,3",
       {logon + " flags=0 reserved=0 -> 3", logon + " flags=1 reserved=0 -> 3"},
       "Couldn't start Mail"},
      {"3,2",
       {logon + " flags=0 reserved=0 -> 3", logon + " flags=1 reserved=0 -> 2"},
       "Couldn't start Mail"},
      {"2", {logon + " flags=0 reserved=0 -> 2"}, "Couldn't start Mail"},
      {"1", {logon + " flags=0 reserved=0 -> 1"}, "Couldn't start Mail"},
  };
  for (const auto& c : cases) {
    DeleteFileA(log_.c_str());
    const DialogRun run = RunDialog(kWholeLibrary, true, IDC_START_EMAIL, c.logonResults,
                              *c.box != '\0');
    EXPECT_EQ(run.driverFailure, "") << c.logonResults;
    EXPECT_EQ(run.result, IDOK) << c.logonResults << ": Start E-Mail always ends the dialog";
    EXPECT_EQ(run.mailCalls, c.calls) << c.logonResults;
    EXPECT_EQ(run.box, c.box) << c.logonResults;
  }
}

TEST_F(FileCreatedDialogTest, NeverCallsALibraryThatLacksAnEntryPoint) {
  const DialogRun run = RunDialog(kLibraryWithoutSend, true, IDC_START_EMAIL, "0", true);
  EXPECT_EQ(run.driverFailure, "");
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.box, "Couldn't start Mail");
  EXPECT_TRUE(run.mailCalls.empty()) << run.mailCalls.size() << " calls";
}

TEST_F(FileCreatedDialogTest, ClosingSendsNothing) {
  const struct {
    const char* name;
    int press;
    INT_PTR result;
  } cases[] = {
      {"the OK beside Start E-Mail", IDC_FILE_CREATED_OK, IDOK},
      {"Enter", IDOK, IDOK},
      {"Escape", IDCANCEL, IDCANCEL},
  };
  for (const auto& c : cases) {
    DialogRun run;
    {
      FileCreatedDialog dialog(nullptr, LoadLibraryA(kWholeLibrary));
      dialog.SetFile(kCardPath);
      ModalDriver driver;
      driver.Then([&] { return dialog.Handle(); },
                  [&](HWND shown) {
                    if (c.press == IDC_FILE_CREATED_OK) {
                      Click(shown, c.press);
                    } else {
                      // What the dialog manager makes of Enter and Escape.
                      PostMessageA(shown, WM_COMMAND, c.press, 0);
                    }
                  });
      run.result = dialog.DoModal();
      run.driverFailure = driver.Failure();
    }
    EXPECT_EQ(run.driverFailure, "") << c.name;
    EXPECT_EQ(run.result, c.result) << c.name;
    EXPECT_FALSE(FileExists(log_)) << c.name << ": the mail library was called";
  }
}

}  // namespace
}  // namespace card
