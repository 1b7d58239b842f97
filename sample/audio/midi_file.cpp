// Standard MIDI File encoding.
#include "sample/audio/midi_file.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace card::sample {
namespace {

void PutVarLength(std::vector<uint8_t>& out, uint32_t v) {
  if (v > 0x0FFFFFFF) throw std::invalid_argument("MIDI delta time too large");
  uint8_t groups[4];
  int n = 0;
  do {
    groups[n++] = v & 0x7F;
    v >>= 7;
  } while (v);
  while (n > 1) out.push_back(groups[--n] | 0x80);
  out.push_back(groups[0]);
}

void PutBig(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back((v >> (8 * i)) & 0xFF);
}

uint8_t Data7(int v) {
  if (v < 0 || v > 127) throw std::invalid_argument("MIDI data byte out of range");
  return uint8_t(v);
}

uint8_t Status(int kind, int channel) {
  if (channel < 0 || channel > 15) throw std::invalid_argument("MIDI channel out of range");
  return uint8_t(kind | channel);
}

}  // namespace

MidiTrack::MidiTrack(const std::string& name) { Meta(0, 0x03, {name.begin(), name.end()}); }

void MidiTrack::Add(uint32_t tick, int order, std::vector<uint8_t> bytes) {
  events_.push_back({tick, order, std::move(bytes)});
}

void MidiTrack::Meta(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes{0xFF, type};
  PutVarLength(bytes, uint32_t(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  Add(tick, 1, std::move(bytes));
}

void MidiTrack::Program(uint32_t tick, int channel, int program) {
  Add(tick, 1, {Status(0xC0, channel), Data7(program)});
}

void MidiTrack::Controller(uint32_t tick, int channel, int controller, int value) {
  Add(tick, 1, {Status(0xB0, channel), Data7(controller), Data7(value)});
}

void MidiTrack::Note(uint32_t tick, int channel, int key, int velocity, uint32_t length) {
  if (velocity < 1) throw std::invalid_argument("a note needs a velocity of at least 1");
  Add(tick, 2, {Status(0x90, channel), Data7(key), Data7(velocity)});
  Add(tick + length, 0, {Status(0x80, channel), Data7(key), 64});
}

void MidiTrack::Tempo(uint32_t tick, double bpm) {
  std::vector<uint8_t> data;
  PutBig(data, uint32_t(std::lround(60'000'000.0 / bpm)), 3);
  Meta(tick, 0x51, data);
}

void MidiTrack::TimeSignature(uint32_t tick, int numerator, int denominatorPower) {
  Meta(tick, 0x58, {Data7(numerator), Data7(denominatorPower), 24, 8});
}

void MidiTrack::KeySignature(uint32_t tick, int sharps, bool minor) {
  Meta(tick, 0x59, {uint8_t(int8_t(sharps)), uint8_t(minor ? 1 : 0)});
}

std::vector<uint8_t> MidiTrack::Chunk() const {
  std::vector<Event> sorted = events_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<uint8_t> body;
  uint32_t now = 0;
  for (const Event& e : sorted) {
    PutVarLength(body, e.tick - now);
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
  PutBig(chunk, uint32_t(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<uint8_t> MidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter) {
  std::vector<uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  PutBig(out, uint32_t(tracks.size()), 2);
  PutBig(out, uint32_t(ticksPerQuarter), 2);
  for (const MidiTrack& t : tracks) {
    const std::vector<uint8_t> chunk = t.Chunk();
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace card::sample
