// The card's background tune: our own arrangement of the traditional English
// carol "We Wish You a Merry Christmas" in G major, 3/4. Celesta sings the tune over a
// pizzicato bass, harp off-beats and a soft string pad; sleigh bells join for the chorus
// and a glockenspiel doubles the last verse, which slows into a held final chord.
#include "sample/audio/carol.h"

#include "sample/audio/midi_file.h"

namespace card::sample {
namespace {

constexpr int kQuarter = 480;
constexpr int kEighth = kQuarter / 2;
constexpr int kBar = 3 * kQuarter;

// MIDI keys of the notes the tune uses.
enum Key {
  kD4 = 62,
  kE4 = 64,
  kFs4 = 66,
  kG4 = 67,
  kA4 = 69,
  kB4 = 71,
  kC5 = 72,
  kD5 = 74,
};

struct Note {
  int key;
  int eighths;
};
using Bar = std::vector<Note>;

// General MIDI programs and channels.
constexpr int kCelesta = 8, kGlockenspiel = 9, kPizzicato = 45, kHarp = 46, kStrings = 48;
enum Channel { kTune = 0, kBass = 1, kOffbeats = 2, kPad = 3, kBells = 4, kDrums = 9 };
constexpr int kJingleBell = 83, kTriangle = 81;

// The tune, bar by bar, each bar after the pick-up note ("We") that starts it.
const std::vector<Bar> kVerse = {
    {{kG4, 2}, {kG4, 1}, {kA4, 1}, {kG4, 1}, {kFs4, 1}},  // wish you a merry
    {{kE4, 2}, {kE4, 2}, {kE4, 2}},                       // Christmas, we
    {{kA4, 2}, {kA4, 1}, {kB4, 1}, {kA4, 1}, {kG4, 1}},   // wish you a merry
    {{kFs4, 2}, {kD4, 2}, {kD4, 2}},                      // Christmas, we
    {{kB4, 2}, {kB4, 1}, {kC5, 1}, {kB4, 1}, {kA4, 1}},   // wish you a merry
    {{kG4, 2}, {kE4, 2}, {kD4, 1}, {kD4, 1}},             // Christmas and a
    {{kE4, 2}, {kA4, 2}, {kFs4, 2}},                      // happy New
    {{kG4, 4}, {kD4, 2}},                                 // Year. Good
};
const std::vector<Bar> kChorus = {
    {{kG4, 2}, {kG4, 2}, {kG4, 2}},            // tidings we
    {{kFs4, 4}, {kFs4, 2}},                    // bring to
    {{kG4, 2}, {kFs4, 2}, {kE4, 2}},           // you and your
    {{kD4, 4}, {kA4, 2}},                      // kin; good
    {{kB4, 2}, {kA4, 2}, {kG4, 2}},            // tidings for
    {{kD5, 2}, {kD4, 2}, {kD4, 1}, {kD4, 1}},  // Christmas and a
    {{kE4, 2}, {kA4, 2}, {kFs4, 2}},           // happy New
    {{kG4, 4}, {kD4, 2}},                      // Year. We
};

// Our harmony: one chord a beat, as the bass root and the harp's three notes.
struct Chord {
  int root;
  int notes[3];
};
constexpr Chord kGMaj{43, {55, 59, 62}}, kCMaj{48, {55, 60, 64}}, kA7{45, {55, 61, 64}},
    kDMaj{50, {54, 57, 62}}, kD7{50, {54, 60, 62}}, kB7{47, {54, 57, 63}}, kEMin{40, {55, 59, 64}};
using Harmony = std::vector<std::vector<Chord>>;
const Harmony kVerseChords = {{kGMaj, kGMaj, kGMaj}, {kCMaj, kCMaj, kCMaj}, {kA7, kA7, kA7},
                              {kDMaj, kDMaj, kDMaj}, {kB7, kB7, kB7},       {kEMin, kEMin, kEMin},
                              {kCMaj, kD7, kD7},     {kGMaj, kGMaj, kGMaj}};
const Harmony kChorusChords = {{kGMaj, kGMaj, kGMaj}, {kDMaj, kDMaj, kDMaj}, {kEMin, kEMin, kEMin},
                               {kDMaj, kDMaj, kDMaj}, {kGMaj, kGMaj, kGMaj}, {kDMaj, kDMaj, kDMaj},
                               {kCMaj, kD7, kD7},     {kGMaj, kGMaj, kGMaj}};

struct Arrangement {
  MidiTrack conductor{"Conductor"};
  MidiTrack tune{"Tune"};
  MidiTrack bass{"Bass"};
  MidiTrack offbeats{"Harp"};
  MidiTrack pad{"Strings"};
  MidiTrack bells{"Bells"};
};

void Setup(Arrangement& a) {
  a.conductor.TimeSignature(0, 3, 2);
  a.conductor.KeySignature(0, 1, false);
  a.conductor.Tempo(0, 176);
  struct Voice {
    MidiTrack* track;
    int channel, program, volume, pan;
  };
  const Voice voices[] = {{&a.tune, kTune, kCelesta, 110, 64},
                          {&a.bass, kBass, kPizzicato, 100, 52},
                          {&a.offbeats, kOffbeats, kHarp, 80, 80},
                          {&a.pad, kPad, kStrings, 58, 44},
                          {&a.bells, kBells, kGlockenspiel, 70, 76}};
  for (const Voice& v : voices) {
    v.track->Program(0, v.channel, v.program);
    v.track->Controller(0, v.channel, 7, v.volume);
    v.track->Controller(0, v.channel, 10, v.pan);
    v.track->Controller(0, v.channel, 91, 50);  // a little reverb
  }
  a.bells.Controller(0, kDrums, 7, 70);
}

// Plays bars of the tune from `start`; returns the tick after them. A note on a downbeat is
// played a little louder, so the waltz lilts.
uint32_t PlayTune(MidiTrack& track, int channel, int transpose, int velocity, uint32_t start,
                  const std::vector<Bar>& bars) {
  uint32_t tick = start;
  for (const Bar& bar : bars) {
    uint32_t at = tick;
    for (const Note& n : bar) {
      const uint32_t length = n.eighths * kEighth;
      const int accent = at == tick ? 10 : 0;
      track.Note(at, channel, n.key + transpose, velocity + accent, length * 9 / 10);
      at += length;
    }
    tick += kBar;
  }
  return tick;
}

// Oom-pah-pah: the root on the first beat, the chord on the other two, the pad under all.
void PlayHarmony(Arrangement& a, uint32_t start, const Harmony& harmony, bool sleighBells) {
  uint32_t tick = start;
  for (const std::vector<Chord>& beats : harmony) {
    a.bass.Note(tick, kBass, beats[0].root, 92, kQuarter);
    if (beats[1].root != beats[0].root)
      a.bass.Note(tick + kQuarter, kBass, beats[1].root, 80, kQuarter);
    for (int beat = 1; beat < 3; ++beat)
      for (int key : beats[beat].notes)
        a.offbeats.Note(tick + beat * kQuarter, kOffbeats, key, 58, kQuarter - 40);
    for (int key : beats[0].notes) a.pad.Note(tick, kPad, key, 46, kBar - 20);
    if (sleighBells)
      for (int beat = 0; beat < 3; ++beat)
        a.bells.Note(tick + beat * kQuarter, kDrums, kJingleBell, beat ? 40 : 60, kEighth);
    tick += kBar;
  }
}

}  // namespace

std::vector<uint8_t> CarolMidi() {
  Arrangement a;
  Setup(a);
  // The pick-up note ("We") before the first bar.
  a.tune.Note(0, kTune, kD4, 90, kQuarter * 9 / 10);
  uint32_t tick = kQuarter;

  PlayHarmony(a, tick, kVerseChords, false);
  tick = PlayTune(a.tune, kTune, 0, 88, tick, kVerse);
  PlayHarmony(a, tick, kChorusChords, true);
  tick = PlayTune(a.tune, kTune, 0, 92, tick, kChorus);

  // The last verse, doubled an octave up on the glockenspiel, without its closing pick-up.
  std::vector<Bar> last = kVerse;
  last.back() = {{kG4, 6}};
  PlayHarmony(a, tick, kVerseChords, false);
  PlayTune(a.bells, kBells, 12, 62, tick, last);
  tick = PlayTune(a.tune, kTune, 0, 96, tick, last);

  // Slowing down over the last two bars, then a held G major chord with a bell arpeggio.
  a.conductor.Tempo(tick - 2 * kBar, 160);
  a.conductor.Tempo(tick - kBar, 138);
  a.conductor.Tempo(tick, 120);
  const uint32_t hold = 2 * kBar;
  a.bass.Note(tick, kBass, 43, 96, kQuarter);
  a.pad.Note(tick, kPad, 55, 56, hold);
  a.pad.Note(tick, kPad, 59, 56, hold);
  a.pad.Note(tick, kPad, 62, 56, hold);
  a.tune.Note(tick, kTune, 79, 96, hold);
  const int arpeggio[] = {67, 71, 74, 79, 83};
  for (int i = 0; i < 5; ++i)
    a.bells.Note(tick + i * kEighth, kBells, arpeggio[i] + 12, 70 - 4 * i, hold - i * kEighth);
  a.bells.Note(tick, kDrums, kTriangle, 70, kQuarter);

  return MidiFile({a.conductor, a.tune, a.bass, a.offbeats, a.pad, a.bells}, kQuarter);
}

}  // namespace card::sample
