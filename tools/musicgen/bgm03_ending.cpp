// Ending music: a slow two-bar call, then a horn tune in G major at 104 beats a minute that builds
// over B, lifts a tone to A major for a trumpet chorus with timpani, and broadens into the
// dominant of G before it starts again. The lift is timed to arrive as the staff roll ends and
// the closing credit line types itself.
#include <string>

#include "tools/musicgen/arrange.h"
#include "tools/musicgen/pieces.h"

namespace musicgen {
namespace {

constexpr int kHorn = 0, kPiano = 1, kStrings = 2, kBass = 3, kTrumpet = 4, kGlock = 5, kTimpani = 6;
constexpr Tick kIntro = 2 * kBar;
constexpr Tick kSection = 8 * kBar;
constexpr Tick kA = kIntro, kB = kA + kSection, kC = kB + kSection, kEnd = kC + kSection;

constexpr std::string_view kIntroChords = "Cmaj7 | D7sus4 D7 |";
constexpr std::string_view kAChords = "G | D/F# | Em7 | Cmaj7 | G/B | C | Am7 | D7 |";
constexpr std::string_view kBChords = "C | D | Bm7 | Em7 | Am7 | D/F# | G | E7 |";
constexpr std::string_view kCChords = "A | E/G# | F#m7 | Dmaj7 | A/C# | D | Bm7 E7 | A D7 |";

constexpr std::string_view kIntroCall = "e4:2 g4:4 b4:4 | a4:2 f#4:4 r:4 |";
const std::vector<std::string_view> kAMelody = {
    "d4:4 g4:4 b4:4. a4:8 | a4:2 f#4:4 d4:4 | e4:4 g4:4 b4:4. d5:8 | c5:2. b4:4 |",
    "d5:4. b4:8 g4:4 b4:4 | c5:4. e5:8 d5:4 c5:4 | b4:4 a4:4 g4:4 e4:4 | f#4:2 a4:4 d5:4 |",
};
const std::vector<std::string_view> kBMelody = {
    "e5:4. d5:8 c5:4 g4:4 | a4:4. b4:8 c5:4 d5:4 | d5:4. a4:8 b4:4 f#4:4 | g4:4 a4:4 b4:2 |",
    "c5:4. b4:8 a4:4 e5:4 | d5:2 a4:4 f#4:4 | g4:4 b4:4 d5:4 g5:4 | >g#5:2 e5:4 d5:4 |",
};
const std::vector<std::string_view> kCMelody = {
    ">c#5:4. e5:8 a5:4 e5:4 | b4:4. e5:8 g#5:4 b5:4 | a5:4. g#5:8 f#5:4 c#5:4 | d5:4 e5:4 f#5:2 |",
    "e5:4. c#5:8 a4:4 c#5:4 | f#5:4. e5:8 d5:4 f#5:4 | a5:4 f#5:4 g#5:4 e5:4 | a5:2 f#5:2 |",
};
// Under the trumpet's last bar the horn slides from the third of A to the seventh of D7.
constexpr std::string_view kHornTurn = "e5:2 c5:2 |";

using Lanes = std::vector<DrumLane>;
const Lanes kGentle = {{drum::kKick, "x.......x......."}, {drum::kSideStick, "....x.......x..."},
                       {drum::kShaker, "x.o.x.o.x.o.x.o."}};
const Lanes kBuilding = {{drum::kKick, "x.......x.x....."}, {drum::kSnare, "....x.......x..."},
                         {drum::kClosedHat, "x.x.x.x.x.x.x.x."}};
const Lanes kRoll = {{drum::kKick, "x.......x......."}, {drum::kSnare, "x.o.x.o.xoxoxxXX"}};
const Lanes kFestive = {{drum::kKick, "x.....x.x......."}, {drum::kSnare, "....X.......X..."},
                        {drum::kRide, "x.x.x.x.x.x.x.x."}, {drum::kTambourine, "..x...x...x...x."}};
const Lanes kTurnaround = {{drum::kKick, "x.......x......."}, {drum::kSnare, "....X..........."},
                           {drum::kRide, "x.x.x.x.x......."}, {drum::kHighTom, "........x.x....."},
                           {drum::kMidTom, "............x.x."}, {drum::kLowFloorTom, "..............x."}};

void addDrums(Song& song) {
  std::vector<Note> drums;
  for (int bar = 0; bar < 24; ++bar) {
    const Tick at = kA + bar * kBar;
    const int section = bar / 8;
    const Lanes& lanes = bar == 15 ? kRoll : bar == 23 ? kTurnaround : section == 0 ? kGentle : section == 1 ? kBuilding : kFestive;
    append(drums, drumBar(lanes, at, 56 + 10 * section));
    if (bar == 8 || bar == 16 || bar == 20) append(drums, drumBar({{drum::kCrash, "x..............."}}, at, 76));
  }
  humanize(drums, 0xB631, 5);
  song.add(kDrumChannel, drums);
}

// Timpani under the A major chorus: the bass note of each bar, and a roll swelling into it.
void addTimpani(Song& song, const std::vector<ChordSpan>& chorus) {
  std::vector<Note> timpani;
  const Tick rollStart = kC - kBar;
  for (int i = 0; i < 16; ++i)
    timpani.push_back({rollStart + i * kSixteenth, kSixteenth, pitch("e2"), 40 + 4 * i});
  for (const ChordSpan& s : chorus)
    if (s.start % kBar == 0) timpani.push_back({s.start, kQuarter, nearestPitch(s.chord.bass, 45, 40, 52), 96});
  song.add(kTimpani, timpani);
}

}  // namespace

Song endingMusic() {
  Song song("Warm Lights", kIntro, kEnd);
  song.tempo(0, 80);
  song.tempo(kA, 104);
  // The last bar broadens into the return.
  song.tempo(kEnd - 2 * kQuarter, 96);
  song.tempo(kEnd - kQuarter, 90);
  song.keySignature(1, false);
  song.level(-1.9);  // as loud as the other pieces: about -27 dBFS over its first minute
  song.use({kHorn, 60, 100, 54, 70, 0});
  song.use({kPiano, 0, 84, 40, 60, 0});
  song.use({kStrings, 48, 86, 84, 80, 0});
  song.use({kBass, 32, 100, 64, 40, 0});
  song.use({kTrumpet, 56, 96, 70, 60, 0});
  song.use({kGlock, 9, 64, 90, 70, 0});
  song.use({kTimpani, 47, 90, 60, 60, 0});
  song.use({kDrumChannel, 0, 90, 64, 50, 0});

  const std::vector<ChordSpan> intro = progression(kIntroChords, 0);
  const std::vector<ChordSpan> a = progression(kAChords, kA);
  const std::vector<ChordSpan> b = progression(kBChords, kB);
  const std::vector<ChordSpan> c = progression(kCChords, kC);
  const std::vector<ChordSpan> all = progression(
      std::string(kIntroChords) + std::string(kAChords) + std::string(kBChords) + std::string(kCChords), 0);

  std::vector<Note> horn = phrase(kIntroCall, 0, 70);
  append(horn, melody(kAMelody, kA, 82));
  append(horn, melody(kBMelody, kB, 88));
  const std::vector<Note> chorus = melody(kCMelody, kC, 98);
  for (const Note& n : harmonyBelow(chorus, c, 10))
    if (n.start < kEnd - kBar) horn.push_back(n);
  append(horn, phrase(kHornTurn, kEnd - kBar, 84));
  humanize(horn, 0xB632, 3);
  song.add(kHorn, horn);

  std::vector<Note> trumpet = chorus;
  humanize(trumpet, 0xB633, 3);
  song.add(kTrumpet, trumpet);
  song.add(kGlock, transpose(chorus, 12, -30));

  Voicer pianoVoices(48, 67, 4);
  std::vector<Note> piano = arpeggio(intro, pianoVoices, "01234321", kEighth, 4, 58);
  append(piano, arpeggio(a, pianoVoices, "01232123", kEighth, 3, 52));
  append(piano, arpeggio(b, pianoVoices, "01232123", kEighth, 3, 58));
  append(piano, arpeggio(c, pianoVoices, "01234321", kEighth, 2, 66));
  keepClearOf(piano, horn, all);
  keepClearOf(piano, chorus, all);
  humanize(piano, 0xB634, 4);
  song.add(kPiano, piano);

  Voicer stringVoices(55, 76, 4);
  std::vector<Note> strings = sustain(intro, stringVoices, 50);
  append(strings, sustain(a, stringVoices, 48));
  append(strings, sustain(b, stringVoices, 60));
  append(strings, sustain(c, stringVoices, 72));
  keepClearOf(strings, horn, all);
  keepClearOf(strings, chorus, all);
  song.add(kStrings, strings);

  std::vector<Note> bass = bassLine(intro, "R:1", "R:2", 36, 55, 66);
  append(bass, bassLine(a, "R:2 5:2", "R:2", 36, 55, 74, &b.front().chord));
  append(bass, bassLine(b, "R:4 5:4 8:4 A:4", "R:4 5:4", 36, 55, 80, &c.front().chord));
  append(bass, bassLine(c, "R:4. R:8 5:4 A:4", "R:4 5:4", 36, 55, 88, &a.front().chord));
  keepClearOf(bass, horn, all);
  keepClearOf(bass, chorus, all);
  humanize(bass, 0xB635, 3);
  song.add(kBass, bass);

  addTimpani(song, c);
  addDrums(song);
  return song;
}

}  // namespace musicgen
