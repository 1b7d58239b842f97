// Playing card.mid through the MCI sequencer, and the program's one current music player.
#include "sound/music_player_win.h"

#include "content/content_file_names.h"
#include "sound/winmm_api_win.h"

#include <memory>
#include <new>

namespace card {
namespace {

std::unique_ptr<MusicPlayer> current;
// A player that ended while its own window was handling the notice: the window object must
// outlive that handler, so the player is freed by the next StartMusic or StopMusic.
std::unique_ptr<MusicPlayer> ended;
std::string musicFolder;  // empty: the executable's

MCIERROR Send(MCIDEVICEID device, UINT command, DWORD_PTR flags, void* parameters) {
  return Winmm().mciSendCommandA(device, command, flags, reinterpret_cast<DWORD_PTR>(parameters));
}

}  // namespace

MusicPlayer::MusicPlayer(bool repeat) : repeat_(repeat) {
  const std::string path = MusicPath();
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = "sequencer";
  open.lpstrElementName = path.c_str();
  if (Send(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, &open) != 0) return;
  device_ = open.wDeviceID;

  // A sequencer that cannot name its output port has nowhere to play to.
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_SEQ_STATUS_PORT;
  if (Send(device_, MCI_STATUS, MCI_STATUS_ITEM, &status) != 0) {
    usable_ = false;
    return;
  }
  PlayFromStart();
}

MusicPlayer::~MusicPlayer() { Close(); }

void MusicPlayer::PlayFromStart() {
  MCI_SEEK_PARMS seek{};
  Send(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &seek);
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Handle());
  Send(device_, MCI_PLAY, MCI_NOTIFY, &play);
}

void MusicPlayer::Close() {
  if (device_ != 0) Send(device_, MCI_CLOSE, 0, nullptr);
  device_ = 0;
  window_.Destroy();
}

void MusicPlayer::OnNotice(UINT code) {
  if (code != MCI_NOTIFY_SUCCESSFUL || !current) return;
  if (current->repeat_) {
    current->PlayFromStart();
    return;
  }
  current->Close();
  ended = std::move(current);
}

void StartMusic(bool repeat) {
  StopMusic();
  try {
    auto player = std::unique_ptr<MusicPlayer>(new (std::nothrow) MusicPlayer(repeat));
    if (player && player->Usable()) current = std::move(player);
  } catch (const std::bad_alloc&) {
    // No memory for the player or its path: the card plays without music.
  }
}

void StopMusic() {
  current.reset();
  ended.reset();
}

MusicPlayer* CurrentMusicPlayer() { return current.get(); }

void SetMusicFolder(std::string folder) { musicFolder = std::move(folder); }

std::string MusicPath() {
  if (!musicFolder.empty()) return musicFolder + std::string(kMusicFile);
  // Long paths reach 32767 characters; a full buffer may hold a truncated one.
  for (std::size_t room = MAX_PATH; room <= 65536; room *= 2) {
    std::string path(room, '\0');
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(room));
    if (length == 0) break;
    if (length < room) {
      path.resize(length);
      return MusicPathBeside(path);
    }
  }
  return MusicPathBeside("");
}

std::string MusicPathBeside(std::string_view executablePath) {
  std::size_t slash = executablePath.find_last_of("\\/");
  if (slash == std::string_view::npos) return std::string(kMusicFile);
  return std::string(executablePath.substr(0, slash)) + "\\" + std::string(kMusicFile);
}

}  // namespace card
