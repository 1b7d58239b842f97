// The background music against a fake MCI sequencer: what it opens and plays, how it answers
// the sequencer's notices, and that stopping closes the device.
#include "sound/music_player_win.h"
#include "sound/tests/fake_winmm_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card::test {
namespace {

using Calls = std::vector<std::string>;

const Calls kStart = {"mci open", "mci status port", "mci seek to start", "mci play notify"};

class MusicTest : public testing::Test {
 protected:
  void TearDown() override { StopMusic(); }

  void Notify(UINT code) {
    SendMessageA(device.mciNotifyWindow, MM_MCINOTIFY, code, FakeWinmm::kMciDevice);
  }

  FakeWinmm device;
};

TEST_F(MusicTest, PlaysCardMidFromItsStartWithNoticesToAHiddenStaticWindow) {
  StartMusic(false);
  EXPECT_EQ(device.TakeCalls(), kStart);
  EXPECT_EQ(device.mciType, "sequencer");
  EXPECT_EQ(device.mciElement, MusicPath());

  ASSERT_NE(CurrentMusicPlayer(), nullptr);
  HWND window = CurrentMusicPlayer()->NotifyWindow();
  EXPECT_EQ(device.mciNotifyWindow, window);
  ASSERT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STRCASEEQ(className, "static");
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_POPUP | WS_CHILD), WS_POPUP);
}

struct NoticeCase {
  const char* what;
  UINT code;
  bool repeat;
  Calls calls;
  bool stillPlaying;
};

class MusicNoticeTest : public MusicTest, public testing::WithParamInterface<NoticeCase> {};

TEST_P(MusicNoticeTest, AnswersTheSequencer) {
  const NoticeCase& c = GetParam();
  StartMusic(c.repeat);
  device.TakeCalls();
  HWND window = device.mciNotifyWindow;

  Notify(c.code);
  EXPECT_EQ(device.TakeCalls(), c.calls);
  EXPECT_EQ(CurrentMusicPlayer() != nullptr, c.stillPlaying);
  EXPECT_EQ(IsWindow(window) != FALSE, c.stillPlaying);
}

const Calls kAgain = {"mci seek to start", "mci play notify"};

INSTANTIATE_TEST_SUITE_P(
    Cases, MusicNoticeTest,
    testing::Values(NoticeCase{"EndWithRepeat", MCI_NOTIFY_SUCCESSFUL, true, kAgain, true},
                    NoticeCase{"EndWithoutRepeat", MCI_NOTIFY_SUCCESSFUL, false, {"mci close"}, false},
                    NoticeCase{"SupersededWithRepeat", MCI_NOTIFY_SUPERSEDED, true, {}, true},
                    NoticeCase{"SupersededWithoutRepeat", MCI_NOTIFY_SUPERSEDED, false, {}, true},
                    NoticeCase{"AbortedWithRepeat", MCI_NOTIFY_ABORTED, true, {}, true},
                    NoticeCase{"AbortedWithoutRepeat", MCI_NOTIFY_ABORTED, false, {}, true},
                    NoticeCase{"FailureWithRepeat", MCI_NOTIFY_FAILURE, true, {}, true},
                    NoticeCase{"FailureWithoutRepeat", MCI_NOTIFY_FAILURE, false, {}, true}),
    [](const testing::TestParamInfo<NoticeCase>& row) { return row.param.what; });

TEST_F(MusicTest, RepeatsEveryTimeTheMusicEnds) {
  StartMusic(true);
  device.TakeCalls();
  for (int end = 0; end < 3; ++end) {
    Notify(MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(device.TakeCalls(), kAgain) << "end " << end;
  }
}

TEST_F(MusicTest, MusicThatEndedLeavesNothingToStop) {
  StartMusic(false);
  Notify(MCI_NOTIFY_SUCCESSFUL);
  device.TakeCalls();
  StopMusic();
  EXPECT_TRUE(device.TakeCalls().empty());
}

TEST_F(MusicTest, StopClosesTheDeviceAndTheWindow) {
  StartMusic(true);
  device.TakeCalls();
  HWND window = device.mciNotifyWindow;
  StopMusic();
  EXPECT_EQ(device.TakeCalls(), (Calls{"mci close"}));
  EXPECT_EQ(CurrentMusicPlayer(), nullptr);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(MusicTest, StartingAgainClosesTheOldDeviceFirst) {
  StartMusic(false);
  device.TakeCalls();
  StartMusic(true);
  Calls expected = {"mci close"};
  expected.insert(expected.end(), kStart.begin(), kStart.end());
  EXPECT_EQ(device.TakeCalls(), expected);
  EXPECT_TRUE(CurrentMusicPlayer()->Repeats());
}

TEST_F(MusicTest, MusicThatCannotOpenLeavesASilentPlayerUntilStopped) {
  device.mciOpenError = MCIERR_FILE_NOT_FOUND;
  StartMusic(true);
  EXPECT_EQ(device.TakeCalls(), (Calls{"mci open"}));
  ASSERT_NE(CurrentMusicPlayer(), nullptr);
  EXPECT_EQ(CurrentMusicPlayer()->Device(), 0u);
  StopMusic();
  EXPECT_TRUE(device.TakeCalls().empty()) << "nothing was open to close";
  EXPECT_EQ(CurrentMusicPlayer(), nullptr);
}

TEST_F(MusicTest, SequencerWithoutAPortIsClosedAtOnce) {
  device.mciStatusError = MCIERR_SEQ_NOMIDIPRESENT;
  StartMusic(true);
  EXPECT_EQ(device.TakeCalls(), (Calls{"mci open", "mci status port", "mci close"}));
  EXPECT_EQ(CurrentMusicPlayer(), nullptr);
}

TEST_F(MusicTest, LooksBesideTheExecutableWhateverTheCurrentFolder) {
  char here[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, here);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  ASSERT_TRUE(SetCurrentDirectoryA(temp));
  StartMusic(false);
  SetCurrentDirectoryA(here);

  const std::string& path = device.mciElement;
  const std::size_t slash = path.rfind('\\');
  ASSERT_NE(slash, std::string::npos);
  EXPECT_EQ(path.substr(slash), "\\card.mid");
  const std::string beside = path.substr(0, slash + 1) + CARD_TEST_EXECUTABLE;
  EXPECT_NE(GetFileAttributesA(beside.c_str()), INVALID_FILE_ATTRIBUTES)
      << path << " is not beside the test program";
}

TEST_F(MusicTest, LooksInTheFolderAPackageUnpackedItsCardInto) {
  SetMusicFolder("C:\\Temp\\ZelkCard-0A1B2C3D\\");
  StartMusic(false);
  SetMusicFolder("");
  EXPECT_EQ(device.mciElement, "C:\\Temp\\ZelkCard-0A1B2C3D\\card.mid");
}

TEST(MusicPath, ReplacesTheExecutablesNameWithCardMid) {
  struct Case {
    const char* executable;
    const char* music;
  } cases[] = {
      {"C:\\Cards\\Greeting.exe", "C:\\Cards\\card.mid"},
      {"C:\\Greeting.exe", "C:\\card.mid"},
      {"C:\\My.Cards\\Greeting", "C:\\My.Cards\\card.mid"},
      {"\\\\server\\share\\Anna.EXE", "\\\\server\\share\\card.mid"},
      {"Z:/home/anna/Greeting.exe", "Z:/home/anna\\card.mid"},
      {"Greeting.exe", "card.mid"},
  };
  for (const Case& c : cases) EXPECT_EQ(MusicPathBeside(c.executable), c.music) << c.executable;
}

}  // namespace
}  // namespace card::test
