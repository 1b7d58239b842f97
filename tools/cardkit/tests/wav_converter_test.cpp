// Sound conversion: any rate and channel count comes out mono at 8 kHz with the right length,
// the same tone, and the same loudness; unreadable files are refused by name.
#include "tools/cardkit/wav_converter.h"

#include "tools/cardkit/tests/fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace card::kit {
namespace {

// `seconds` of a sine of `hertz` at `rate`, the same in every channel.
std::vector<std::int16_t> Sine(double hertz, int rate, double seconds, int channels, double level) {
  std::vector<std::int16_t> samples;
  const auto frames = static_cast<int>(seconds * rate);
  for (int i = 0; i < frames; ++i) {
    const double value = level * std::sin(2 * std::numbers::pi * hertz * i / rate);
    for (int c = 0; c < channels; ++c) {
      samples.push_back(static_cast<std::int16_t>(std::lround(value * 32767)));
    }
  }
  return samples;
}

// Rising zero crossings per second, which is the tone's frequency.
double Frequency(const std::vector<std::int16_t>& samples, int rate) {
  int crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    if (samples[i - 1] < 0 && samples[i] >= 0) ++crossings;
  }
  return crossings * static_cast<double>(rate) / static_cast<double>(samples.size());
}

int Peak(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
  int peak = 0;
  for (std::size_t i = from; i < to; ++i) {
    peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
  }
  return peak;
}

TEST(WavConverter, OtherRatesComeOutAtEightKilohertzWithTheRightLength) {
  struct Case {
    int rate, channels;
    double seconds;
  };
  for (const Case& c : {Case{44100, 2, 0.5}, Case{22050, 1, 0.3}, Case{11025, 1, 0.25},
                        Case{48000, 2, 0.2}, Case{16000, 1, 0.1}, Case{6000, 1, 0.4}}) {
    const auto input = Sine(440, c.rate, c.seconds, c.channels, 0.5);
    const std::size_t inputFrames = input.size() / c.channels;
    auto clip = ConvertSound(test::EncodeWav(input, c.rate, c.channels), "bell.wav");
    ASSERT_TRUE(clip) << clip.error();
    const auto expected = static_cast<std::size_t>(std::llround(inputFrames * 8000.0 / c.rate));
    EXPECT_EQ(clip->size(), expected) << c.rate << " Hz";
    EXPECT_NEAR(Frequency(*clip, 8000), 440, 12) << c.rate << " Hz";
    // Away from the edges, where the resampler's filter starts and ends, the level is kept.
    EXPECT_NEAR(Peak(*clip, clip->size() / 4, clip->size() * 3 / 4), 0.5 * 32767, 0.03 * 32767)
        << c.rate << " Hz";
  }
}

TEST(WavConverter, EightKilohertzMonoPassesThroughUnchanged) {
  const auto input = Sine(300, 8000, 0.05, 1, 0.8);
  auto clip = ConvertSound(test::EncodeWav(input, 8000, 1), "x.wav");
  ASSERT_TRUE(clip) << clip.error();
  ASSERT_EQ(clip->size(), input.size());
  for (std::size_t i = 0; i < input.size(); ++i) EXPECT_NEAR((*clip)[i], input[i], 1) << i;
}

TEST(WavConverter, ChannelsAreMixedBeforeResampling) {
  // Left and right in opposite phase cancel out; full-scale channels do not clip when mixed.
  std::vector<std::int16_t> stereo;
  for (std::int16_t sample : Sine(500, 16000, 0.1, 1, 1.0)) {
    stereo.push_back(sample);
    stereo.push_back(static_cast<std::int16_t>(-sample));
  }
  auto clip = ConvertSound(test::EncodeWav(stereo, 16000, 2), "x.wav");
  ASSERT_TRUE(clip) << clip.error();
  EXPECT_EQ(clip->size(), 800u);
  EXPECT_LE(Peak(*clip, 0, clip->size()), 2);
}

TEST(WavConverter, RefusesWhatIsNotASoundFileNamingIt) {
  auto cut = test::EncodeWav(Sine(300, 8000, 0.1, 1, 0.5), 8000, 1);
  cut.resize(20);
  for (const auto& bytes :
       {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>(100, 'x'), cut}) {
    auto clip = ConvertSound(bytes, "sounds/HOOT.wav");
    ASSERT_FALSE(clip);
    EXPECT_NE(clip.error().find("sounds/HOOT.wav"), std::string::npos) << clip.error();
  }
}

}  // namespace
}  // namespace card::kit
