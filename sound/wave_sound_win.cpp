// Playing a clip of the sound bank through wave-out, and the one-sound-at-a-time bookkeeping.
#include "sound/wave_sound_win.h"

#include "sound/sound_bank_win.h"
#include "sound/was_file.h"
#include "sound/winmm_api_win.h"

#include <new>
#include <optional>

namespace card {
namespace {

WaveSound* current = nullptr;
WPARAM lastTicket = 0;

// Tickets tell a notice from a newer sound allocated where a deleted one used to be; 0 is
// left to the notice of a sound that could not be allocated.
WPARAM NextTicket() {
  if (++lastTicket == 0) ++lastTicket;
  return lastTicket;
}

// The format every clip of the bank has: PCM, mono, 8000 samples of 16 bits per second.
WAVEFORMATEX ClipFormat() {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = kClipChannels;
  format.nSamplesPerSec = kClipSampleRate;
  format.wBitsPerSample = kClipBitsPerSample;
  format.nBlockAlign = kClipChannels * kClipBitsPerSample / 8;
  format.nAvgBytesPerSec = kClipSampleRate * format.nBlockAlign;
  format.cbSize = 0;
  return format;
}

std::optional<ByteView> FindClip(std::string_view name) noexcept {
  const WasFile* bank = CurrentSoundBank();
  if (!bank) return std::nullopt;
  try {
    return bank->FindSound(name);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace

WaveSound::WaveSound(std::string_view name, HWND owner) noexcept
    : owner_(owner), ticket_(NextTicket()) {
  StopCurrentSound();
  current = this;
  if (!Play(name)) PostDone();
}

bool WaveSound::Play(std::string_view name) {
  // Without a bank (sound effects off, or no Card.WAS) there is nothing to play.
  if (!CurrentSoundBank()) return false;
  const WinmmApi& winmm = Winmm();
  WAVEFORMATEX format = ClipFormat();
  if (winmm.waveOutOpen(&device_, WAVE_MAPPER, &format,
                        reinterpret_cast<DWORD_PTR>(&WaveSound::OnDeviceMessage),
                        reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
    device_ = nullptr;
    return false;
  }
  std::optional<ByteView> clip = FindClip(name);
  // The device wants whole samples; a clip without one has nothing to play.
  DWORD length = clip ? static_cast<DWORD>(clip->size() & ~std::size_t{1}) : 0;
  if (length == 0) return false;

  // Played in place from the mapped bank, which the device only reads.
  header_.lpData = const_cast<LPSTR>(reinterpret_cast<const char*>(clip->data()));
  header_.dwBufferLength = length;
  header_.dwFlags = 0;
  header_.dwLoops = 0;
  header_.dwUser = reinterpret_cast<DWORD_PTR>(this);
  if (winmm.waveOutPrepareHeader(device_, &header_, sizeof header_) != MMSYSERR_NOERROR) {
    return false;
  }
  prepared_ = true;
  written_ = winmm.waveOutWrite(device_, &header_, sizeof header_) == MMSYSERR_NOERROR;
  return written_;
}

WaveSound::~WaveSound() {
  if (current == this) current = nullptr;
  const WinmmApi& winmm = Winmm();
  if (prepared_) {
    // A clip still queued must leave the device before its header can be unprepared; the
    // flag keeps the completion that the reset reports from posting a notice.
    bool stillQueued = written_ && !(header_.dwFlags & WHDR_DONE);
    if (stopRequested_ || stillQueued) {
      stopRequested_ = true;
      winmm.waveOutReset(device_);
    }
    winmm.waveOutUnprepareHeader(device_, &header_, sizeof header_);
  }
  if (device_) winmm.waveOutClose(device_);
}

WaveSound* WaveSound::Start(std::string_view name, HWND owner) noexcept {
  auto* sound = new (std::nothrow) WaveSound(name, owner);
  if (!sound) PostMessageA(owner, WM_SOUNDDONE, 0, 0);
  return sound;
}

WaveSound* WaveSound::FromNotice(WPARAM wParam, LPARAM lParam) {
  auto* named = reinterpret_cast<WaveSound*>(lParam);
  if (named == nullptr || named != current || named->ticket_ != wParam) return nullptr;
  return named;
}

// Runs on a thread of the system's audio service: it may only post.
void CALLBACK WaveSound::OnDeviceMessage(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR,
                                         DWORD_PTR) {
  if (message != WOM_DONE) return;
  auto* sound = reinterpret_cast<WaveSound*>(instance);
  if (!sound->stopRequested_) sound->PostDone();
}

void WaveSound::PostDone() {
  PostMessageA(owner_, WM_SOUNDDONE, ticket_, reinterpret_cast<LPARAM>(this));
}

void StopCurrentSound() {
  if (!current) return;
  current->stopRequested_ = true;
  delete current;
}

WaveSound* CurrentSound() { return current; }

}  // namespace card
