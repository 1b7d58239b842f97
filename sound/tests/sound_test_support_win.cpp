// The shared pieces of the sound tests (see sound_test_support_win.h).
#include "sound/tests/sound_test_support_win.h"

#include "sound/sound_bank_win.h"
#include "sound/was_writer.h"

#include <algorithm>
#include <stdexcept>

namespace card::test {

NoticeWindow::NoticeWindow()
    : hwnd_(CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr)) {
  if (!hwnd_) throw std::runtime_error("the notice window could not be created");
}

NoticeWindow::~NoticeWindow() {
  TakeNotices();
  DestroyWindow(hwnd_);
}

std::vector<Notice> NoticeWindow::TakeNotices() {
  std::vector<Notice> notices;
  MSG msg;
  while (PeekMessageA(&msg, hwnd_, WM_SOUNDDONE, WM_SOUNDDONE, PM_REMOVE)) {
    notices.push_back({msg.wParam, msg.lParam});
  }
  return notices;
}

std::vector<Notice> NoticeWindow::WaitForNotices(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  std::vector<Notice> notices;
  while (notices.empty() && GetTickCount() - start < milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.hwnd == hwnd_ && msg.message == WM_SOUNDDONE) {
        notices.push_back({msg.wParam, msg.lParam});
      } else {
        DispatchMessageA(&msg);
      }
    }
  }
  return notices;
}

ScopedBank::ScopedBank(const std::vector<Clip>& clips) {
  std::vector<WasSound> sounds;
  for (const Clip& clip : clips) sounds.push_back({clip.name, clip.samples});
  auto written = WriteWas(sounds);
  if (!written) throw std::runtime_error(written.error());
  bytes_ = std::move(written).value();
  auto bank = WasFile::FromBytes(bytes_, "Card.WAS");
  if (!bank) throw std::runtime_error(bank.error());
  RegisterSoundBank(std::move(bank).value());
}

ScopedBank::~ScopedBank() { RegisterSoundBank(nullptr); }

const std::uint8_t* ScopedBank::SamplesOf(const std::vector<std::uint8_t>& samples) const {
  // The clip as stored: its byte count, then its samples.
  std::vector<std::uint8_t> stored(4);
  for (int i = 0; i < 4; ++i) stored[i] = static_cast<std::uint8_t>(samples.size() >> (8 * i));
  stored.insert(stored.end(), samples.begin(), samples.end());
  auto at = std::search(bytes_.begin(), bytes_.end(), stored.begin(), stored.end());
  if (at == bytes_.end()) throw std::runtime_error("the bank does not hold those samples");
  return bytes_.data() + (at - bytes_.begin()) + 4;
}

}  // namespace card::test
