// Standard MIDI File encoding: delta times, the order of events at one tick, chunk lengths.
#include <gtest/gtest.h>

#include <stdexcept>

#include "sample/audio/midi_file.h"

namespace card::sample {
namespace {

using Bytes = std::vector<uint8_t>;

// The bytes of a track after its (empty) name and before its end-of-track event.
Bytes Events(const MidiTrack& track) {
  const Bytes chunk = track.Chunk();
  const Bytes prefix{'M', 'T', 'r', 'k'};
  EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), chunk.begin()));
  const uint32_t length = chunk[4] << 24 | chunk[5] << 16 | chunk[6] << 8 | chunk[7];
  EXPECT_EQ(length, chunk.size() - 8);
  const Bytes name{0x00, 0xFF, 0x03, 0x00}, end{0x00, 0xFF, 0x2F, 0x00};
  EXPECT_TRUE(std::equal(name.begin(), name.end(), chunk.begin() + 8));
  EXPECT_TRUE(std::equal(end.begin(), end.end(), chunk.end() - 4));
  return Bytes(chunk.begin() + 12, chunk.end() - 4);
}

TEST(MidiTrack, WritesDeltaTimesAsVariableLengthNumbers) {
  const struct {
    uint32_t tick;
    Bytes delta;
  } cases[] = {{0, {0x00}},
               {127, {0x7F}},
               {128, {0x81, 0x00}},
               {8191, {0xBF, 0x7F}},
               {16384, {0x81, 0x80, 0x00}},
               {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}}};
  for (const auto& c : cases) {
    MidiTrack track("");
    track.Controller(c.tick, 3, 7, 100);
    Bytes expected = c.delta;
    expected.insert(expected.end(), {0xB3, 0x07, 0x64});
    EXPECT_EQ(Events(track), expected) << "tick " << c.tick;
  }
  MidiTrack tooLate("");
  tooLate.Controller(0x10000000, 0, 7, 100);
  EXPECT_THROW(tooLate.Chunk(), std::invalid_argument);
}

TEST(MidiTrack, EndsANoteBeforeStartingOneAtTheSameTick) {
  MidiTrack track("");
  track.Note(480, 0, 60, 100, 480);  // added in the opposite order on purpose
  track.Note(0, 0, 60, 90, 480);
  const Bytes expected{0x00, 0x90, 60, 90,  0x83, 0x60, 0x80, 60, 64,
                       0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 64};
  EXPECT_EQ(Events(track), expected);
}

TEST(MidiTrack, RefusesValuesMidiCannotHold) {
  MidiTrack track("");
  EXPECT_THROW(track.Note(0, 16, 60, 100, 10), std::invalid_argument);
  EXPECT_THROW(track.Note(0, 0, 128, 100, 10), std::invalid_argument);
  EXPECT_THROW(track.Note(0, 0, 60, 0, 10), std::invalid_argument);
  EXPECT_THROW(track.Program(0, 0, 128), std::invalid_argument);
}

TEST(MidiFile, HasAFormatOneHeaderAndEveryTrack) {
  MidiTrack a("a"), b("b");
  a.Tempo(0, 120);
  b.Note(0, 1, 64, 80, 240);
  const Bytes file = MidiFile({a, b}, 480);
  const Bytes header{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
  ASSERT_GE(file.size(), header.size());
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
  const Bytes ca = a.Chunk(), cb = b.Chunk();
  EXPECT_EQ(file.size(), header.size() + ca.size() + cb.size());
  EXPECT_TRUE(std::equal(ca.begin(), ca.end(), file.begin() + header.size()));
  // 120 beats a minute: 500000 microseconds a quarter note.
  const Bytes tempo{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
  EXPECT_NE(std::search(ca.begin(), ca.end(), tempo.begin(), tempo.end()), ca.end());
}

}  // namespace
}  // namespace card::sample
