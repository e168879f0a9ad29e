// Play music: F major, 84 beats a minute. A vibraphone sings over a rolling electric piano, with
// brushed drums kept low so that the player can think. The body is A (8 bars), B (8 bars) and a
// returning A that turns back to its own beginning.
#include <string>

#include "tools/musicgen/arrange.h"
#include "tools/musicgen/pieces.h"

namespace musicgen {
namespace {

constexpr int kVibes = 0, kPiano = 1, kPad = 2, kBass = 3, kFlute = 4;
constexpr Tick kIntro = 2 * kBar;
constexpr Tick kSection = 8 * kBar;
constexpr Tick kA = kIntro, kB = kA + kSection, kA2 = kB + kSection, kEnd = kA2 + kSection;

constexpr std::string_view kIntroChords = "Bbmaj7 | C7sus4 C7 |";
constexpr std::string_view kAChords = "Fmaj7 | Am7 | Bbmaj7 | C7sus4 C7 | Fmaj7 | Dm7 | Gm7 | C7sus4 C7 |";
constexpr std::string_view kBChords = "Bbmaj7 | Am7 | Gm7 | Fmaj7 | Bbmaj7 | Am7 D7 | Gm7 | C7sus4 C7 |";
constexpr std::string_view kA2Chords = "Fmaj7 | Am7 | Bbmaj7 | C7sus4 C7 | Dm7 | Gm7 C7 | Fmaj7 Dm7 | Gm7 C7 |";

// The motif is the broken third that opens bar 1, answered a third higher in bar 3.
const std::vector<std::string_view> kAMelody = {
    "r:8 c5:8 a4:8 c5:8 e5:2 | d5:8 c5:8 a4:4 g4:2 | r:8 d5:8 bb4:8 d5:8 f5:2 | f5:8 e5:8 d5:4 c5:2 |",
    "r:8 c5:8 a4:8 c5:8 e5:4. f5:8 | g5:8 f5:8 d5:4 a4:2 | bb4:8 c5:8 d5:8 f5:8 e5:4 d5:4 | c5:2 r:4 g4:8 a4:8 |",
};
const std::vector<std::string_view> kBMelody = {
    "bb4:4. d5:8 f5:4 a5:4 | g5:2 e5:4 c5:4 | d5:4. f5:8 bb5:4 a5:8 g5:8 | a5:2. r:4 |",
    "bb4:4. d5:8 f5:4 a5:4 | g5:4 e5:4 f#5:4 d5:4 | bb5:4. a5:8 g5:4 f5:4 | f5:2 e5:2 |",
};
const std::vector<std::string_view> kA2Melody = {
    "r:8 c5:8 a4:8 c5:8 e5:2 | d5:8 c5:8 a4:4 g4:2 | r:8 d5:8 bb4:8 d5:8 f5:4. g5:8 | a5:4 g5:8 f5:8 e5:2 |",
    "f5:4. e5:8 d5:4 a4:4 | bb4:4 d5:4 e5:4 c5:4 | a4:2 f4:4 a4:4 | g4:2 r:2 |",
};

using Lanes = std::vector<DrumLane>;
const Lanes kBrushA = {{drum::kClosedHat, "x.o.x.o.x.o.x.o."}, {drum::kSideStick, "....x.......x..."},
                       {drum::kKick, "x.........x....."}};
const Lanes kBrushB = {{drum::kRide, "x.o.x.o.x.o.x.ox"}, {drum::kSideStick, "....x.......x..."},
                       {drum::kPedalHat, "....x.......x..."}, {drum::kKick, "x.....x...x....."}};
const Lanes kFill = {{drum::kClosedHat, "x.o.x.o.x.o....."}, {drum::kSideStick, "....x..........."},
                     {drum::kHighTom, "........o.x....."}, {drum::kMidTom, "............x.o."},
                     {drum::kLowTom, "..............x."}, {drum::kKick, "x.........x....."}};

void addDrums(Song& song) {
  std::vector<Note> drums;
  append(drums, drumBar({{drum::kShaker, "x.o.x.o.x.o.x.o."}}, kBar, 44));
  for (int bar = 0; bar < 24; ++bar) {
    const Tick at = kA + bar * kBar;
    const bool lastOfSection = bar % 8 == 7;
    const Lanes& lanes = lastOfSection ? kFill : (bar >= 8 && bar < 16 ? kBrushB : kBrushA);
    append(drums, drumBar(lanes, at, 52));
    if (bar == 8 || bar == 16) append(drums, drumBar({{drum::kCrash, "x..............."}}, at, 44));
  }
  humanize(drums, 0xB601, 5);
  song.add(kDrumChannel, drums);
}

}  // namespace

Song playMusic() {
  Song song("Thinking Stones", kIntro, kEnd);
  song.tempo(0, 84);
  song.tempo(kA, 84);
  song.keySignature(-1, false);
  song.level(1.2);  // as loud as the other pieces: about -27 dBFS over its first minute
  song.use({kVibes, 11, 118, 72, 60, 0});
  song.use({kPiano, 4, 96, 44, 50, 40});
  song.use({kPad, 89, 80, 88, 70, 30});
  song.use({kBass, 33, 110, 64, 30, 0});
  song.use({kFlute, 73, 90, 54, 60, 0});
  song.use({kDrumChannel, 0, 100, 64, 40, 0});

  const std::vector<ChordSpan> intro = progression(kIntroChords, 0);
  const std::vector<ChordSpan> a = progression(kAChords, kA);
  const std::vector<ChordSpan> b = progression(kBChords, kB);
  const std::vector<ChordSpan> a2 = progression(kA2Chords, kA2);
  const std::vector<ChordSpan> body = progression(std::string(kAChords) + std::string(kBChords) + std::string(kA2Chords), kA);
  std::vector<ChordSpan> all = intro;
  all.insert(all.end(), body.begin(), body.end());

  std::vector<Note> vibes = melody(kAMelody, kA, 80);
  append(vibes, melody(kBMelody, kB, 86));
  append(vibes, melody(kA2Melody, kA2, 80));
  humanize(vibes, 0xB611, 3);
  song.add(kVibes, vibes);

  // The flute answers in B with a second voice under the vibraphone, then doubles the returning tune.
  std::vector<Note> flute = harmonyBelow(melody(kBMelody, kB, 70), b, 4);
  append(flute, melody(kA2Melody, kA2, 62));
  song.add(kFlute, flute);

  Voicer pianoVoices(48, 67, 4);
  std::vector<Note> piano = arpeggio(intro, pianoVoices, "01232123", kEighth, 3, 54);
  append(piano, arpeggio(body, pianoVoices, "01232123", kEighth, 3, 50));
  keepClearOf(piano, vibes, all);
  keepClearOf(piano, flute, all);
  humanize(piano, 0xB612, 4);
  song.add(kPiano, piano);

  Voicer padVoices(53, 72, 4);
  std::vector<Note> pad = sustain({intro.back()}, padVoices, 40);
  append(pad, sustain(b, padVoices, 48));
  append(pad, sustain(a2, padVoices, 44));
  keepClearOf(pad, vibes, all);
  keepClearOf(pad, flute, all);
  song.add(kPad, pad);

  std::vector<Note> bass = bassLine(intro, "R:1", "R:2", 33, 52, 66);
  append(bass, bassLine(a, "R:2. 5:4", "R:2", 33, 52, 72));
  append(bass, bassLine(b, "R:4. 5:8 8:4 A:4", "R:4. 5:8", 33, 52, 76, &a2.front().chord));
  append(bass, bassLine(a2, "R:4. 5:8 R:4 A:4", "R:4 5:4", 33, 52, 74));
  keepClearOf(bass, vibes, all);
  humanize(bass, 0xB613, 3);
  song.add(kBass, bass);

  addDrums(song);
  return song;
}

}  // namespace musicgen
