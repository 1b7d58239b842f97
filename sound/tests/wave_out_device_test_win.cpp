// WaveSound and the music with the system's own winmm. ctest runs this program twice in the
// Wine session: with ALSA's null device as the only audio output (clips really go through
// wave-out, though not in real time, so durations are not checked) and with no audio output at
// all (every request must be answered at once). CARD_AUDIO_OUTPUT says which run this is.
#include "sound/music_player_win.h"
#include "sound/tests/sound_test_support_win.h"
#include "sound/wave_sound_win.h"
#include "sound/winmm_api_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace card::test {
namespace {

bool AudioOutputIs(const char* kind) {
  const char* output = std::getenv("CARD_AUDIO_OUTPUT");
  return output && std::string(output) == kind;
}

// `halfSeconds` half seconds of a 500 Hz square wave.
std::vector<std::uint8_t> Tone(int halfSeconds = 1) {
  std::vector<std::uint8_t> samples;
  for (int i = 0; i < 4000 * halfSeconds; ++i) {
    const std::int16_t level = (i / 8) % 2 ? 8000 : -8000;
    samples.push_back(static_cast<std::uint8_t>(level & 0xFF));
    samples.push_back(static_cast<std::uint8_t>((level >> 8) & 0xFF));
  }
  return samples;
}

// The system's wave-out calls, each result noted in order: "open 0", "write 0", "open 2".
class ResultSpy {
 public:
  ResultSpy() : real_(Winmm()), install_(Table()) { spy = this; }
  ~ResultSpy() { spy = nullptr; }
  std::vector<std::string> results;

 private:
  static void Note(const char* call, MMRESULT result) {
    spy->results.push_back(std::string(call) + " " + std::to_string(result));
  }
  static MMRESULT WINAPI Open(LPHWAVEOUT h, UINT id, LPCWAVEFORMATEX f, DWORD_PTR cb,
                              DWORD_PTR instance, DWORD flags) {
    MMRESULT r = spy->real_.waveOutOpen(h, id, f, cb, instance, flags);
    Note("open", r);
    return r;
  }
  static MMRESULT WINAPI Prepare(HWAVEOUT h, LPWAVEHDR header, UINT size) {
    MMRESULT r = spy->real_.waveOutPrepareHeader(h, header, size);
    Note("prepare", r);
    return r;
  }
  static MMRESULT WINAPI Write(HWAVEOUT h, LPWAVEHDR header, UINT size) {
    MMRESULT r = spy->real_.waveOutWrite(h, header, size);
    Note("write", r);
    return r;
  }
  static MMRESULT WINAPI Reset(HWAVEOUT h) {
    MMRESULT r = spy->real_.waveOutReset(h);
    Note("reset", r);
    return r;
  }
  static MMRESULT WINAPI Unprepare(HWAVEOUT h, LPWAVEHDR header, UINT size) {
    MMRESULT r = spy->real_.waveOutUnprepareHeader(h, header, size);
    Note("unprepare", r);
    return r;
  }
  static MMRESULT WINAPI Close(HWAVEOUT h) {
    MMRESULT r = spy->real_.waveOutClose(h);
    Note("close", r);
    return r;
  }
  WinmmApi Table() const {
    return {Open, Prepare, Write, Reset, Unprepare, Close, real_.mciSendCommandA};
  }

  static inline ResultSpy* spy = nullptr;
  WinmmApi real_;
  ScopedWinmm install_;
};

using Results = std::vector<std::string>;

TEST(NullAudioOutput, ClipPlaysToItsEndAndBringsExactlyOneNotice) {
  if (!AudioOutputIs("null")) GTEST_SKIP() << "needs ALSA's null device (run by ctest)";
  ScopedBank bank{{{"TONE", Tone()}}};
  NoticeWindow owner;
  ResultSpy spy;

  auto* sound = new WaveSound("tone", owner.Handle());
  EXPECT_EQ(spy.results, (Results{"open 0", "prepare 0", "write 0"}));
  std::vector<Notice> notices = owner.WaitForNotices(10000);
  ASSERT_EQ(notices.size(), 1u) << "no notice within 10 s";
  EXPECT_EQ(WaveSound::FromNotice(notices[0].wParam, notices[0].lParam), sound);

  spy.results.clear();
  delete sound;
  EXPECT_EQ(spy.results, (Results{"unprepare 0", "close 0"}));
  EXPECT_TRUE(owner.WaitForNotices(300).empty()) << "a second notice came";
}

TEST(NullAudioOutput, SoundCutOffByTheNextOneBringsNoNotice) {
  if (!AudioOutputIs("null")) GTEST_SKIP() << "needs ALSA's null device (run by ctest)";
  // The first clip lasts 20 s (some seconds even on the null device, which plays fast), so it
  // is still playing when the second starts and any notice of it would be a late one.
  ScopedBank bank{{{"LONG", Tone(40)}, {"TONE", Tone()}}};
  NoticeWindow owner;

  new WaveSound("LONG", owner.Handle());
  auto* second = new WaveSound("TONE", owner.Handle());
  std::vector<Notice> notices;
  const DWORD deadline = GetTickCount() + 10000;
  const auto secondEnded = [&] {
    return std::any_of(notices.begin(), notices.end(), [&](const Notice& n) {
      return n.lParam == reinterpret_cast<LPARAM>(second);
    });
  };
  while (!secondEnded() && static_cast<LONG>(GetTickCount() - deadline) < 0) {
    for (const Notice& n : owner.WaitForNotices(100)) notices.push_back(n);
  }
  for (const Notice& n : owner.WaitForNotices(300)) notices.push_back(n);
  // Every notice counts, not only those of live sounds: the second's, once, and nothing else.
  ASSERT_EQ(notices.size(), 1u) << "the second sound's end and no notice of the first";
  EXPECT_EQ(WaveSound::FromNotice(notices[0].wParam, notices[0].lParam), second);
  delete second;
}

TEST(NoAudioOutput, EverySoundIsDoneAtOnce) {
  if (!AudioOutputIs("none")) GTEST_SKIP() << "needs a session without audio output (run by ctest)";
  ScopedBank bank{{{"TONE", Tone()}}};
  NoticeWindow owner;
  ResultSpy spy;

  auto* sound = new WaveSound("TONE", owner.Handle());
  ASSERT_EQ(spy.results.size(), 1u);
  EXPECT_NE(spy.results[0], "open 0");
  std::vector<Notice> notices = owner.TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(WaveSound::FromNotice(notices[0].wParam, notices[0].lParam), sound);
  spy.results.clear();
  delete sound;
  EXPECT_TRUE(spy.results.empty()) << "released a device it never obtained";
}

TEST(NoAudioOutput, MusicThatCannotPlayLeavesASilentPlayer) {
  if (!AudioOutputIs("none")) GTEST_SKIP() << "needs a session without audio output (run by ctest)";
  StartMusic(true);
  ASSERT_NE(CurrentMusicPlayer(), nullptr);
  EXPECT_EQ(CurrentMusicPlayer()->Device(), 0u);
  StopMusic();
  EXPECT_EQ(CurrentMusicPlayer(), nullptr);
}

}  // namespace
}  // namespace card::test
