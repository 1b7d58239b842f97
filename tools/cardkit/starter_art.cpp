// Drawing and synthesising the starter card's art.
#include "tools/cardkit/starter_art.h"

#include "common/byte_writer.h"

#include <cmath>

namespace card::kit::starter {
namespace {

constexpr Rgb kOutline{70, 50, 20};
constexpr Rgb kBody{255, 210, 60};
constexpr Rgb kBeak{240, 138, 30};
constexpr Rgb kEye{30, 30, 30};

RgbaImage Blank(int width, int height) {
  return {width, height, std::vector<Rgba>(static_cast<std::size_t>(width) * height, {0, 0, 0, 0})};
}

Rgba Opaque(const Rgb& colour) { return {colour.r, colour.g, colour.b, 255}; }

void FillRect(RgbaImage& image, int left, int top, int right, int bottom, const Rgb& colour) {
  for (int y = std::max(top, 0); y < std::min(bottom, image.height); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, image.width); ++x) {
      image.At(x, y) = Opaque(colour);
    }
  }
}

// Pixels whose centres lie inside the ellipse: hard edges, no blending.
void FillEllipse(RgbaImage& image, double cx, double cy, double rx, double ry, const Rgb& colour) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) image.At(x, y) = Opaque(colour);
    }
  }
}

}  // namespace

RgbaImage Background() {
  RgbaImage image = Blank(628, 428);
  FillRect(image, 0, 0, 628, 428, kSky);
  FillRect(image, 0, 330, 628, 428, kGrass);
  FillEllipse(image, 70, 60, 36, 36, kSun);
  return image;
}

RgbaImage Gift() {
  RgbaImage image = Blank(64, 64);
  FillRect(image, 8, 20, 56, 60, kGiftRed);
  FillRect(image, 4, 14, 60, 24, kGiftRed);
  FillRect(image, 28, 14, 36, 60, kRibbon);
  FillEllipse(image, 24, 9, 8, 6, kRibbon);
  FillEllipse(image, 40, 9, 8, 6, kRibbon);
  return image;
}

RgbaImage Logo() {
  RgbaImage image = Blank(40, 40);
  FillEllipse(image, 13, 15, 9, 9, kWhite);
  FillEllipse(image, 27, 15, 9, 9, kWhite);
  for (int y = 16; y < 36; ++y) {
    const int half = 36 - y;  // the heart's point narrows to the bottom
    FillRect(image, 20 - half, y, 20 + half, y + 1, kWhite);
  }
  return image;
}

RgbaImage ChickFrame(int frame) {
  RgbaImage image = Blank(48, 48);
  // The body's half-width and half-height, and how high its centre stands.
  const double rx = frame == 2 ? 17 : frame == 3 ? 12 : 14;
  const double ry = frame == 2 ? 11 : frame == 3 ? 17 : 14;
  const double cy = 44 - ry;
  FillRect(image, 17, 44, 21, 47, kBeak);  // feet
  FillRect(image, 27, 44, 31, 47, kBeak);
  FillEllipse(image, 24, cy, rx + 2, ry + 2, kOutline);
  FillEllipse(image, 24, cy, rx, ry, kBody);
  if (frame == 4) {
    FillEllipse(image, 40, cy - 10, 5, 8, kOutline);  // the raised wing
    FillEllipse(image, 40, cy - 10, 3, 6, kBody);
  }
  FillEllipse(image, 19, cy - ry / 3, 2.5, 2.5, kEye);
  FillEllipse(image, 29, cy - ry / 3, 2.5, 2.5, kEye);
  FillRect(image, 21, static_cast<int>(cy), 27, static_cast<int>(cy) + 4, kBeak);
  return image;
}

std::vector<std::uint8_t> PopSound() {
  constexpr int kRate = 8000;
  constexpr int kSamples = kRate * 3 / 10;
  std::vector<std::uint8_t> out;
  AppendText(out, "RIFF");
  AppendU32(out, 36 + kSamples * 2);
  AppendText(out, "WAVEfmt ");
  AppendU32(out, 16);
  AppendU16(out, 1);  // PCM
  AppendU16(out, 1);  // mono
  AppendU32(out, kRate);
  AppendU32(out, kRate * 2);
  AppendU16(out, 2);
  AppendU16(out, 16);
  AppendText(out, "data");
  AppendU32(out, kSamples * 2);
  // A tone falling from 900 Hz to 300 Hz as it fades.
  double phase = 0;
  for (int i = 0; i < kSamples; ++i) {
    const double t = static_cast<double>(i) / kSamples;
    phase += 2 * M_PI * (900 - 600 * t) / kRate;
    AppendU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(
                       12000 * (1 - t) * (1 - t) * std::sin(phase))));
  }
  return out;
}

std::vector<std::uint8_t> Tune() {
  constexpr int kBeat = 96;  // ticks per quarter note
  std::vector<std::uint8_t> track;
  const auto event = [&track](std::uint8_t delta, std::initializer_list<std::uint8_t> bytes) {
    track.push_back(delta);
    track.insert(track.end(), bytes);
  };
  event(0, {0xC0, 72});  // a flute
  // A little rising and falling tune: key and length in beats.
  const std::pair<std::uint8_t, int> notes[] = {{72, 1}, {76, 1}, {79, 1}, {84, 2}, {81, 1},
                                                {79, 1}, {76, 1}, {77, 1}, {74, 1}, {72, 3}};
  for (const auto& [key, beats] : notes) {
    event(0, {0x90, key, 90});
    // Delta times of up to 127 ticks fit in one byte; longer notes take two.
    const int length = beats * kBeat - 8;
    if (length < 128) {
      event(static_cast<std::uint8_t>(length), {0x80, key, 0});
    } else {
      track.push_back(static_cast<std::uint8_t>(0x80 | length >> 7));
      event(static_cast<std::uint8_t>(length & 0x7F), {0x80, key, 0});
    }
    event(8, {0x80, key, 0});  // a short rest between notes
  }
  event(0, {0xFF, 0x2F, 0});
  std::vector<std::uint8_t> out;
  AppendText(out, "MThd");
  const std::uint8_t header[] = {0, 0, 0, 6, 0, 0, 0, 1, 0, kBeat};
  out.insert(out.end(), std::begin(header), std::end(header));
  AppendText(out, "MTrk");
  const auto size = static_cast<std::uint32_t>(track.size());
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(size >> shift));  // big-endian, as MIDI has it
  }
  out.insert(out.end(), track.begin(), track.end());
  return out;
}

}  // namespace card::kit::starter
