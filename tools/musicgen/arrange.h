#pragma once
// The arranger's parts built from a progression: held chords, broken chords, comping, bass lines,
// drum bars and a second voice under a melody.
#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/musicgen/theory.h"

namespace musicgen {

// General MIDI percussion keys.
namespace drum {
constexpr int kKick = 36;
constexpr int kSideStick = 37;
constexpr int kSnare = 38;
constexpr int kClap = 39;
constexpr int kLowFloorTom = 41;
constexpr int kClosedHat = 42;
constexpr int kPedalHat = 44;
constexpr int kLowTom = 45;
constexpr int kOpenHat = 46;
constexpr int kMidTom = 47;
constexpr int kHighTom = 50;
constexpr int kCrash = 49;
constexpr int kRide = 51;
constexpr int kTambourine = 54;
constexpr int kShaker = 70;
}  // namespace drum

// Chords held for their whole span; a note common to two chords is held over, not struck again.
std::vector<Note> sustain(const std::vector<ChordSpan>& spans, Voicer& voicer, int velocity);

// Broken chords: `order` lists, one per step, which voice sounds (0 the lowest; an index past the
// top voice takes the voicing an octave higher; '.' rests). Each note rings for `ring` steps, but
// not into the next chord.
std::vector<Note> arpeggio(const std::vector<ChordSpan>& spans, Voicer& voicer, std::string_view order,
                           Tick step, int ring, int velocity);

// Chords struck in a rhythm of eighths, one bar long: 'x' strikes, '-' holds, '.' rests.
std::vector<Note> comp(const std::vector<ChordSpan>& spans, Voicer& voicer, std::string_view rhythm, int velocity);

// A bass line: `wholeBar` is played over chords lasting a bar, `halfBar` over chords of half a bar.
// Tokens are degree:duration with R the bass note (the note after a slash, or the root), 3 the
// third, 5 the fifth, 8 the octave above R, A the semitone below the next chord's bass, B the
// whole tone above it, r a rest. The line stays in [low, high] and moves to the nearest octave.
// `following` is the chord after the last span; by default the line turns back to its first.
std::vector<Note> bassLine(const std::vector<ChordSpan>& spans, std::string_view wholeBar, std::string_view halfBar,
                           int low, int high, int velocity, const Chord* following = nullptr);

// One lane of a drum bar: 16 sixteenths, 'X' accented, 'x' played, 'o' a ghost note, '.' silent.
struct DrumLane {
  int key;
  std::string_view steps;
};
std::vector<Note> drumBar(const std::vector<DrumLane>& lanes, Tick barStart, int velocity);

// A second voice under the melody: for each melody note the highest chord tone at least a minor
// third below it, passing over a seventh or ninth that would rub a semitone against the triad.
std::vector<Note> harmonyBelow(const std::vector<Note>& melody, const std::vector<ChordSpan>& spans, int velocityDrop);

// An accompanying note a semitone (or a minor ninth) from a melody note that carries weight, one
// on a beat or a quarter long, grinds against it. Moves such notes to the nearest chord tone that
// sits clear of the melody, or leaves them out when none is near.
void keepClearOf(std::vector<Note>& part, const std::vector<Note>& melody, const std::vector<ChordSpan>& spans);

std::vector<Note> transpose(std::vector<Note> notes, int semitones, int velocityChange = 0);

// Appends `more` to `notes`.
void append(std::vector<Note>& notes, const std::vector<Note>& more);

// A player never strikes twice alike: spreads velocities by up to `spread`, reproducibly.
void humanize(std::vector<Note>& notes, std::uint32_t seed, int spread);

}  // namespace musicgen
