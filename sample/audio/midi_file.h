// Writing Standard MIDI Files (format 1): tracks of timed events, each turned into the
// MTrk chunk bytes with variable-length delta times.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace card::sample {

class MidiTrack {
 public:
  explicit MidiTrack(const std::string& name);

  void Program(uint32_t tick, int channel, int program);
  void Controller(uint32_t tick, int channel, int controller, int value);
  // A note from `tick` for `length` ticks.
  void Note(uint32_t tick, int channel, int key, int velocity, uint32_t length);
  void Tempo(uint32_t tick, double beatsPerMinute);
  void TimeSignature(uint32_t tick, int numerator, int denominatorPower);
  void KeySignature(uint32_t tick, int sharps, bool minor);

  // The MTrk chunk, ending with the end-of-track event.
  std::vector<uint8_t> Chunk() const;

 private:
  struct Event {
    uint32_t tick;
    int order;  // at one tick: note-offs first, so a repeated note is not cut short
    std::vector<uint8_t> bytes;
  };
  void Add(uint32_t tick, int order, std::vector<uint8_t> bytes);
  void Meta(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data);
  std::vector<Event> events_;
};

// The whole file: an MThd header for format 1 and the tracks' chunks.
std::vector<uint8_t> MidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter);

}  // namespace card::sample
