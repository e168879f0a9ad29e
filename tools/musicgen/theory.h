#pragma once
// Notes, chords and progressions written the way a musician writes them, turned into numbers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace musicgen {

using Tick = std::int32_t;
constexpr Tick kQuarter = 480;  // the files' time division
constexpr Tick kEighth = kQuarter / 2;
constexpr Tick kSixteenth = kQuarter / 4;
constexpr Tick kBar = 4 * kQuarter;  // every piece is in 4/4

// A score with a typo cannot be written; the generator stops and names the culprit.
[[noreturn]] void fail(const std::string& message);

// "c4" is 60, "f#3" 54, "bb2" 46.
int pitch(std::string_view name);

// A written duration: "4" a quarter, "8." a dotted eighth, "2+8" a half tied to an eighth.
Tick duration(std::string_view spec);

struct Note {
  Tick start;
  Tick length;
  int pitch;
  int velocity;
};

// A melody line: "d5:4. b4:8 r:4 g4:2+8 >c5:4". Each token is a pitch (or r for a rest), a colon
// and a duration (1 whole, 2 half, 4 quarter, 8 eighth, 16 sixteenth; a dot adds half; + ties
// durations). A leading > accents the note. A | marks a bar line, and the bar before it must be
// full. Velocities follow the metre around `velocity`: downbeats lean, off-beats give way, and the
// phrase swells to its middle and relaxes at its end.
std::vector<Note> phrase(std::string_view text, Tick start, int velocity);

// How long a phrase lasts, rests included.
Tick phraseLength(std::string_view text);

// Phrases one after another from `start`.
std::vector<Note> melody(const std::vector<std::string_view>& phrases, Tick start, int velocity);

struct Chord {
  std::string symbol;
  int root;                 // pitch class, 0 = C
  int bass;                 // pitch class the bass plays: the root, or the note after a slash
  std::vector<int> colour;  // intervals above the root, most characteristic first
};

// "G", "Em7", "Cmaj7", "D7sus4", "F#m7b5", "D/F#", ...
Chord chord(std::string_view symbol);

struct ChordSpan {
  Chord chord;
  Tick start;
  Tick length;
};

// "G | D/F# | Em7 Cmaj7 |": bars separated by |, the chords of one bar share it equally.
std::vector<ChordSpan> progression(std::string_view text, Tick start);

// The chord sounding at `tick`; the last one when past the end.
const ChordSpan& chordAt(const std::vector<ChordSpan>& spans, Tick tick);

// Keeps a chord part's voices moving smoothly: each next chord takes the voicing, within the
// range, that moves the voices least from the previous one while sounding its essential notes.
class Voicer {
 public:
  Voicer(int low, int high, int voices);
  const std::vector<int>& next(const Chord& chord);

 private:
  int low_;
  int high_;
  int voices_;
  std::vector<int> previous_;
};

// The pitch of pitch class `pc` nearest to `near`, kept within [low, high].
int nearestPitch(int pc, int near, int low, int high);

}  // namespace musicgen
