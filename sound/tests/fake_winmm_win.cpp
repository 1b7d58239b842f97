// The in-memory wave-out and MCI device of the sound tests (see fake_winmm_win.h).
#include "sound/tests/fake_winmm_win.h"

#include <cstdio>
#include <stdexcept>
#include <thread>
#include <utility>

namespace card::test {
namespace {

FakeWinmm* active = nullptr;

HWAVEOUT HandleOf(int number) {
  return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(number) * 0x10);
}

std::string Hex(DWORD_PTR value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
  return text;
}

void CallBack(const FakeWinmm::Device& device, HWAVEOUT handle, UINT message, WAVEHDR* header) {
  auto callback = reinterpret_cast<void(CALLBACK*)(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR,
                                                   DWORD_PTR)>(device.callback);
  callback(handle, message, device.instance, reinterpret_cast<DWORD_PTR>(header), 0);
}

// Marks the queued header done and tells the callback, as the device does at a clip's end.
void Complete(FakeWinmm::Device& device, HWAVEOUT handle) {
  WAVEHDR* header = std::exchange(device.queued, nullptr);
  header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  CallBack(device, handle, WOM_DONE, header);
}

}  // namespace

// The functions put in place of winmm's; each forwards to the fake in use.
struct FakeCalls {
  static MMRESULT WINAPI Open(LPHWAVEOUT handle, UINT id, LPCWAVEFORMATEX format,
                              DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
    FakeWinmm& fake = *active;
    int number = static_cast<int>(fake.devices_.size()) + 1;
    fake.Record("open " + std::to_string(number));
    // A failed open leaves the handle as it finds it; fill it with rubbish to show that.
    *handle = reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(0xBAD0));
    if (fake.openResult != MMSYSERR_NOERROR) return fake.openResult;
    FakeWinmm::Device device;
    device.id = id;
    device.format = *format;
    device.callback = callback;
    device.instance = instance;
    device.flags = flags;
    device.open = true;
    fake.devices_.push_back(device);
    *handle = HandleOf(number);
    CallBack(device, *handle, WOM_OPEN, nullptr);
    return MMSYSERR_NOERROR;
  }

  static MMRESULT WINAPI Prepare(HWAVEOUT handle, LPWAVEHDR header, UINT size) {
    FakeWinmm::Device* device = active->Find(handle, "prepare");
    if (!device) return MMSYSERR_INVALHANDLE;
    if (size != sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    if (active->prepareResult != MMSYSERR_NOERROR) return active->prepareResult;
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
  }

  static MMRESULT WINAPI Write(HWAVEOUT handle, LPWAVEHDR header, UINT size) {
    FakeWinmm::Device* device = active->Find(handle, "write");
    if (!device) return MMSYSERR_INVALHANDLE;
    if (size != sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    if (active->writeResult != MMSYSERR_NOERROR) return active->writeResult;
    if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    device->queued = header;
    device->written = header;
    return MMSYSERR_NOERROR;
  }

  static MMRESULT WINAPI Reset(HWAVEOUT handle) {
    FakeWinmm::Device* device = active->Find(handle, "reset");
    if (!device) return MMSYSERR_INVALHANDLE;
    if (device->queued) Complete(*device, handle);
    return MMSYSERR_NOERROR;
  }

  static MMRESULT WINAPI Unprepare(HWAVEOUT handle, LPWAVEHDR header, UINT size) {
    FakeWinmm::Device* device = active->Find(handle, "unprepare");
    if (!device) return MMSYSERR_INVALHANDLE;
    if (size != sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    if (device->queued == header) {
      active->calls_.back() += " still playing";
      return WAVERR_STILLPLAYING;
    }
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
  }

  static MMRESULT WINAPI Close(HWAVEOUT handle) {
    FakeWinmm::Device* device = active->Find(handle, "close");
    if (!device) return MMSYSERR_INVALHANDLE;
    if (device->queued) {
      active->calls_.back() += " still playing";
      return WAVERR_STILLPLAYING;
    }
    device->open = false;
    CallBack(*device, handle, WOM_CLOSE, nullptr);
    return MMSYSERR_NOERROR;
  }

  static MCIERROR WINAPI Mci(MCIDEVICEID id, UINT command, DWORD_PTR flags, DWORD_PTR parameters) {
    FakeWinmm& fake = *active;
    const bool rightDevice =
        command == MCI_OPEN ? id == 0 : id == FakeWinmm::kMciDevice && fake.mciOpen_;
    std::string call;
    MCIERROR result = 0;
    switch (command) {
      case MCI_OPEN: {
        auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        call = flags == (MCI_OPEN_TYPE | MCI_OPEN_ELEMENT) ? "mci open" : "mci open " + Hex(flags);
        fake.mciType = open->lpstrDeviceType;
        fake.mciElement = open->lpstrElementName;
        result = fake.mciOpenError;
        if (result == 0) {
          open->wDeviceID = FakeWinmm::kMciDevice;
          fake.mciOpen_ = true;
        }
        break;
      }
      case MCI_STATUS: {
        auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
        call = flags == MCI_STATUS_ITEM && status->dwItem == MCI_SEQ_STATUS_PORT
                   ? "mci status port"
                   : "mci status " + Hex(flags) + " " + Hex(status->dwItem);
        result = fake.mciStatusError;
        if (result == 0) status->dwReturn = 0;
        break;
      }
      case MCI_SEEK:
        call = flags == (MCI_SEEK_TO_START | MCI_WAIT) ? "mci seek to start" : "mci seek " + Hex(flags);
        break;
      case MCI_PLAY: {
        auto* play = reinterpret_cast<MCI_PLAY_PARMS*>(parameters);
        call = flags == MCI_NOTIFY ? "mci play notify" : "mci play " + Hex(flags);
        fake.mciNotifyWindow = reinterpret_cast<HWND>(play->dwCallback);
        break;
      }
      case MCI_CLOSE:
        call = flags == 0 && parameters == 0 ? "mci close" : "mci close " + Hex(flags);
        if (rightDevice) fake.mciOpen_ = false;
        break;
      default:
        call = "mci command " + Hex(command);
    }
    if (!rightDevice) call += " on device " + std::to_string(id);
    fake.Record(call);
    return result;
  }
};

FakeWinmm::FakeWinmm()
    : install_(WinmmApi{FakeCalls::Open, FakeCalls::Prepare, FakeCalls::Write, FakeCalls::Reset,
                        FakeCalls::Unprepare, FakeCalls::Close, FakeCalls::Mci}) {
  if (active) throw std::logic_error("only one FakeWinmm at a time");
  active = this;
}

FakeWinmm::~FakeWinmm() { active = nullptr; }

std::vector<std::string> FakeWinmm::TakeCalls() { return std::exchange(calls_, {}); }

void FakeWinmm::FinishClip(int number) {
  Device& device = devices_.at(number - 1);
  if (!device.open || !device.queued) throw std::logic_error("no clip is queued on that device");
  std::thread audioService([&device, number] { Complete(device, HandleOf(number)); });
  audioService.join();
}

void FakeWinmm::Record(std::string call) { calls_.push_back(std::move(call)); }

FakeWinmm::Device* FakeWinmm::Find(HWAVEOUT handle, const char* call) {
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    if (HandleOf(static_cast<int>(i) + 1) == handle) {
      Record(std::string(call) + " " + std::to_string(i + 1) + (devices_[i].open ? "" : " closed"));
      return devices_[i].open ? &devices_[i] : nullptr;
    }
  }
  Record(std::string(call) + " unknown handle");
  return nullptr;
}

}  // namespace card::test
