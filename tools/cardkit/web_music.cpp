// Rendering card.mid to MP3 (see web_music.h).
#include "tools/cardkit/web_music.h"

#include <fluidsynth.h>
#include <lame/lame.h>

#include <memory>

namespace card::kit {
namespace {

constexpr int kSampleRate = 22050;
constexpr int kBitRate = 48;
constexpr int kBlock = 1024;
constexpr int kTailBlocks = kSampleRate / kBlock;  // about a second
constexpr std::size_t kMaxSamples = std::size_t{kSampleRate} * 60 * 10;

// The synthesiser, fed by its own sample clock so that it renders faster than real time.
struct Synth {
  std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings{
      new_fluid_settings(), &delete_fluid_settings};
  std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth{nullptr,
                                                                      &delete_fluid_synth};
  std::unique_ptr<fluid_player_t, decltype(&delete_fluid_player)> player{nullptr,
                                                                         &delete_fluid_player};
};

Result<std::vector<short>> RenderPcm(const std::vector<std::uint8_t>& midi,
                                     const std::string& soundfont) {
  for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
    fluid_set_log_function(level, nullptr, nullptr);
  }
  Synth s;
  fluid_settings_setnum(s.settings.get(), "synth.sample-rate", kSampleRate);
  fluid_settings_setstr(s.settings.get(), "player.timing-source", "sample");
  fluid_settings_setint(s.settings.get(), "synth.lock-memory", 0);
  s.synth.reset(new_fluid_synth(s.settings.get()));
  if (!s.synth || fluid_synth_sfload(s.synth.get(), soundfont.c_str(), 1) == FLUID_FAILED) {
    return Fail("The soundfont " + soundfont + " cannot be loaded (package fluid-soundfont-gm).");
  }
  s.player.reset(new_fluid_player(s.synth.get()));
  if (!s.player || fluid_player_add_mem(s.player.get(), midi.data(), midi.size()) != FLUID_OK ||
      fluid_player_play(s.player.get()) != FLUID_OK) {
    return Fail("card.mid cannot be played.");
  }
  std::vector<short> mono;
  short stereo[2 * kBlock];
  int tail = 0;
  while (tail < kTailBlocks) {
    if (fluid_player_get_status(s.player.get()) != FLUID_PLAYER_PLAYING) ++tail;
    if (mono.size() > kMaxSamples) return Fail("card.mid plays for more than ten minutes.");
    fluid_synth_write_s16(s.synth.get(), kBlock, stereo, 0, 2, stereo, 1, 2);
    for (int i = 0; i < kBlock; ++i) {
      mono.push_back(static_cast<short>((stereo[2 * i] + stereo[2 * i + 1]) / 2));
    }
  }
  return mono;
}

}  // namespace

Result<std::vector<std::uint8_t>> RenderMusicMp3(const std::vector<std::uint8_t>& midi,
                                                 const std::string& soundfont) {
  auto pcm = RenderPcm(midi, soundfont);
  if (!pcm) return Failure{pcm.error()};
  std::unique_ptr<lame_global_flags, decltype(&lame_close)> lame(lame_init(), &lame_close);
  lame_set_in_samplerate(lame.get(), kSampleRate);
  lame_set_out_samplerate(lame.get(), kSampleRate);
  lame_set_num_channels(lame.get(), 1);
  lame_set_mode(lame.get(), MONO);
  lame_set_brate(lame.get(), kBitRate);
  lame_set_quality(lame.get(), 2);
  if (lame_init_params(lame.get()) < 0) return Fail("The MP3 encoder cannot be set up.");
  const std::vector<short>& samples = *pcm;
  // LAME's own bound for its output: 1.25 times the samples and 7200 bytes.
  std::vector<std::uint8_t> mp3(samples.size() * 5 / 4 + 7200);
  const int written = lame_encode_buffer(lame.get(), samples.data(), samples.data(),
                                         static_cast<int>(samples.size()), mp3.data(),
                                         static_cast<int>(mp3.size()));
  if (written < 0) return Fail("card.mid could not be encoded as MP3.");
  const int flushed = lame_encode_flush(lame.get(), mp3.data() + written,
                                        static_cast<int>(mp3.size()) - written);
  if (flushed < 0) return Fail("card.mid could not be encoded as MP3.");
  mp3.resize(static_cast<std::size_t>(written + flushed));
  return mp3;
}

}  // namespace card::kit
