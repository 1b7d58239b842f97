// WaveSound against a fake wave-out device: one done notice per sound, after the clip's end or
// at once when it cannot start; only what was obtained is released; one sound at a time.
#include "sound/sound_bank_win.h"
#include "sound/tests/sound_test_support_win.h"
#include "sound/wave_sound_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

bool failNothrowNew = false;

}  // namespace

// Lets a test see what happens when a sound cannot be allocated.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (failNothrowNew) return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}

namespace card::test {
namespace {

using Calls = std::vector<std::string>;

const std::vector<std::uint8_t> kBeep = {1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<std::uint8_t> kOdd = {9, 10, 11, 12, 13};  // two samples and a stray byte

class WaveSoundTest : public testing::Test {
 protected:
  void TearDown() override { StopCurrentSound(); }

  // The one notice that must be waiting, checked to name `sound` as live.
  void ExpectOneNoticeFor(WaveSound* sound) {
    std::vector<Notice> notices = owner.TakeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].lParam, reinterpret_cast<LPARAM>(sound));
    EXPECT_EQ(WaveSound::FromNotice(notices[0].wParam, notices[0].lParam), sound);
  }

  FakeWinmm device;
  NoticeWindow owner;
  ScopedBank bank{{{"BEEP", kBeep}, {"EMPTY", {}}, {"ODD", kOdd}}};
};

TEST_F(WaveSoundTest, PlaysTheClipInPlaceAndIsDoneOnceAfterItsEnd) {
  auto* sound = new WaveSound("Beep", owner.Handle());
  EXPECT_EQ(device.TakeCalls(), (Calls{"open 1", "prepare 1", "write 1"}));
  EXPECT_EQ(CurrentSound(), sound);

  const FakeWinmm::Device& opened = device.DeviceNumber(1);
  EXPECT_EQ(opened.id, WAVE_MAPPER);
  EXPECT_EQ(opened.flags, static_cast<DWORD>(CALLBACK_FUNCTION));
  EXPECT_EQ(opened.format.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(opened.format.nChannels, 1);
  EXPECT_EQ(opened.format.nSamplesPerSec, 8000u);
  EXPECT_EQ(opened.format.nAvgBytesPerSec, 16000u);
  EXPECT_EQ(opened.format.nBlockAlign, 2);
  EXPECT_EQ(opened.format.wBitsPerSample, 16);
  EXPECT_EQ(opened.format.cbSize, 0);
  ASSERT_NE(opened.written, nullptr);
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(opened.written->lpData), bank.SamplesOf(kBeep));
  EXPECT_EQ(opened.written->dwBufferLength, kBeep.size());
  EXPECT_EQ(opened.written->dwLoops, 0u);

  EXPECT_TRUE(owner.TakeNotices().empty()) << "done before the clip has ended";
  device.FinishClip(1);
  ExpectOneNoticeFor(sound);

  delete sound;
  EXPECT_EQ(device.TakeCalls(), (Calls{"unprepare 1", "close 1"}));
  EXPECT_EQ(CurrentSound(), nullptr);
  EXPECT_TRUE(owner.TakeNotices().empty());
}

TEST_F(WaveSoundTest, GivesTheDeviceWholeSamplesOnly) {
  auto* sound = new WaveSound("odd", owner.Handle());
  ASSERT_NE(device.DeviceNumber(1).written, nullptr);
  EXPECT_EQ(device.DeviceNumber(1).written->dwBufferLength, 4u);
  device.FinishClip(1);
  ExpectOneNoticeFor(sound);
  delete sound;
}

struct FailedStart {
  const char* what;
  const char* name;
  bool bankOpen;
  MMRESULT open, prepare, write;
  Calls atStart, atDelete;
};

class WaveSoundFailureTest : public WaveSoundTest,
                             public testing::WithParamInterface<FailedStart> {};

TEST_P(WaveSoundFailureTest, IsDoneAtOnceAndReleasesOnlyWhatItObtained) {
  const FailedStart& c = GetParam();
  if (!c.bankOpen) RegisterSoundBank(nullptr);
  device.openResult = c.open;
  device.prepareResult = c.prepare;
  device.writeResult = c.write;

  auto* sound = new WaveSound(c.name, owner.Handle());
  EXPECT_EQ(device.TakeCalls(), c.atStart);
  ExpectOneNoticeFor(sound);
  delete sound;
  EXPECT_EQ(device.TakeCalls(), c.atDelete);
  EXPECT_TRUE(owner.TakeNotices().empty());
}

constexpr MMRESULT kOk = MMSYSERR_NOERROR;
constexpr MMRESULT kNoDevice = MMSYSERR_BADDEVICEID;
constexpr MMRESULT kNoMemory = MMSYSERR_NOMEM;

INSTANTIATE_TEST_SUITE_P(
    Cases, WaveSoundFailureTest,
    testing::Values(
        FailedStart{"NoBank", "BEEP", false, kOk, kOk, kOk, {}, {}},
        FailedStart{"NoDevice", "BEEP", true, kNoDevice, kOk, kOk, {"open 1"}, {}},
        FailedStart{"NameNotInBank", "HONK", true, kOk, kOk, kOk, {"open 1"}, {"close 1"}},
        FailedStart{"ClipWithoutSamples", "EMPTY", true, kOk, kOk, kOk, {"open 1"}, {"close 1"}},
        FailedStart{"PrepareFails", "BEEP", true, kOk, kNoMemory, kOk,
                    {"open 1", "prepare 1"}, {"close 1"}},
        FailedStart{"WriteFails", "BEEP", true, kOk, kOk, kNoMemory,
                    {"open 1", "prepare 1", "write 1"}, {"unprepare 1", "close 1"}}),
    [](const testing::TestParamInfo<FailedStart>& row) { return row.param.what; });

TEST_F(WaveSoundTest, StartingASoundStopsTheCurrentOneBeforeOpeningTheDevice) {
  new WaveSound("BEEP", owner.Handle());
  device.TakeCalls();
  auto* second = new WaveSound("ODD", owner.Handle());
  EXPECT_EQ(device.TakeCalls(), (Calls{"reset 1", "unprepare 1", "close 1", "open 2",
                                       "prepare 2", "write 2"}));
  EXPECT_EQ(CurrentSound(), second);
  EXPECT_TRUE(owner.TakeNotices().empty()) << "the stopped sound must not report its end";

  device.FinishClip(2);
  ExpectOneNoticeFor(second);
  delete second;
}

TEST_F(WaveSoundTest, LateNoticeOfADeletedSoundNamesNoLiveSound) {
  new WaveSound("BEEP", owner.Handle());
  device.FinishClip(1);
  StopCurrentSound();  // before its notice was handled
  auto* next = new WaveSound("BEEP", owner.Handle());

  std::vector<Notice> late = owner.TakeNotices();
  ASSERT_EQ(late.size(), 1u);
  EXPECT_EQ(WaveSound::FromNotice(late[0].wParam, late[0].lParam), nullptr);
  // As if the new sound had been given the deleted one's address.
  EXPECT_EQ(WaveSound::FromNotice(late[0].wParam, reinterpret_cast<LPARAM>(next)), nullptr);

  device.FinishClip(2);
  ExpectOneNoticeFor(next);
  delete next;
}

TEST_F(WaveSoundTest, DeletingASoundThatStillPlaysCutsItOffSilently) {
  auto* sound = new WaveSound("BEEP", owner.Handle());
  device.TakeCalls();
  delete sound;
  EXPECT_EQ(device.TakeCalls(), (Calls{"reset 1", "unprepare 1", "close 1"}));
  EXPECT_TRUE(owner.TakeNotices().empty());
}

TEST_F(WaveSoundTest, ReplacingTheBankStopsTheSoundThatPlaysFromIt) {
  new WaveSound("BEEP", owner.Handle());
  device.TakeCalls();
  RegisterSoundBank(nullptr);
  EXPECT_EQ(device.TakeCalls(), (Calls{"reset 1", "unprepare 1", "close 1"}));
  EXPECT_EQ(CurrentSound(), nullptr);
}

TEST_F(WaveSoundTest, SoundThatCannotBeAllocatedStillBringsOneNotice) {
  failNothrowNew = true;
  WaveSound* sound = WaveSound::Start("BEEP", owner.Handle());
  failNothrowNew = false;
  EXPECT_EQ(sound, nullptr);
  EXPECT_TRUE(device.TakeCalls().empty());
  std::vector<Notice> notices = owner.TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].lParam, 0);
  EXPECT_EQ(WaveSound::FromNotice(notices[0].wParam, notices[0].lParam), nullptr);
}

TEST_F(WaveSoundTest, StartPlaysLikeNew) {
  WaveSound* sound = WaveSound::Start("BEEP", owner.Handle());
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(device.TakeCalls(), (Calls{"open 1", "prepare 1", "write 1"}));
  device.FinishClip(1);
  ExpectOneNoticeFor(sound);
  delete sound;
}

}  // namespace
}  // namespace card::test
