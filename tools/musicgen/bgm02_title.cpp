// Title music: D major, 128 beats a minute. A bright electric piano tune over off-beat guitar and
// a driving pick bass; verse, chorus, verse, chorus, the second time with a glockenspiel on top.
#include <string>

#include "tools/musicgen/arrange.h"
#include "tools/musicgen/pieces.h"

namespace musicgen {
namespace {

constexpr int kLead = 0, kGuitar = 1, kStrings = 2, kBass = 3, kGlock = 4;
constexpr Tick kIntro = 2 * kBar;
constexpr Tick kSection = 8 * kBar;
constexpr Tick kVerse = kIntro, kChorus = kVerse + kSection, kVerse2 = kChorus + kSection, kChorus2 = kVerse2 + kSection;
constexpr Tick kEnd = kChorus2 + kSection;

constexpr std::string_view kIntroChords = "D | Asus4 A |";
constexpr std::string_view kVerseChords = "D | Bm | G | A | D | Bm | Em7 | A7 |";
constexpr std::string_view kChorusChords = "G | A | F#m | Bm | Em7 | A7 | D | Asus4 A |";

// The hook: three quick repeated-note pickups falling to the tonic, then the same shape a step up.
const std::vector<std::string_view> kVerseMelody = {
    "f#5:8 f#5:8 e5:8 d5:4 a4:8 d5:8 e5:8 | f#5:4 d5:4 b4:2 | g5:8 g5:8 f#5:8 e5:4 b4:8 e5:8 f#5:8 | g5:4 e5:4 c#5:4 a4:4 |",
    "f#5:8 f#5:8 e5:8 d5:4 a4:8 d5:8 e5:8 | f#5:4 a5:4 b5:2 | b5:8 a5:8 g5:8 e5:4 d5:8 e5:8 g5:8 | a5:2 g5:4 e5:4 |",
};
const std::vector<std::string_view> kVerse2Melody = {
    kVerseMelody[0],
    "f#5:8 f#5:8 e5:8 d5:4 a4:8 d5:8 e5:8 | f#5:8 a5:8 b5:8 d6:4 b5:8 a5:8 f#5:8 | b5:8 a5:8 g5:8 e5:4 d5:8 e5:8 g5:8 | a5:2 g5:4 e5:4 |",
};
const std::string_view kChorusOpening =
    ">b5:4. a5:8 g5:4 d5:4 | c#5:4 e5:8 a5:8 a5:4 g5:8 f#5:8 | f#5:4. e5:8 c#5:4 a4:4 | b4:8 c#5:8 d5:8 f#5:8 e5:4 d5:4 |";
const std::vector<std::string_view> kChorusMelody = {
    kChorusOpening,
    "b5:4. a5:8 g5:4 e5:4 | c#6:4 a5:8 e5:8 g5:4 a5:4 | f#5:2 a5:4 d6:4 | d6:4 c#6:4 r:4 a4:8 d5:8 |",
};
const std::vector<std::string_view> kChorus2Melody = {
    kChorusOpening,
    "b5:4. a5:8 g5:4 e5:4 | c#6:4 a5:8 e5:8 g5:4 a5:4 | f#5:4 a5:4 >d6:2 | e6:4 c#6:4 r:4 a4:8 d5:8 |",
};
constexpr std::string_view kIntroPickup = "r:1 | r:2 r:4 a4:8 d5:8 |";

using Lanes = std::vector<DrumLane>;
const Lanes kVerseBeat = {{drum::kKick, "x.......x.x....."}, {drum::kSnare, "....x.......x..."},
                          {drum::kClosedHat, "X.x.X.x.X.x.X.x."}};
const Lanes kVerseTurn = {{drum::kKick, "x.......x.x....."}, {drum::kSnare, "....x.......x..."},
                          {drum::kClosedHat, "X.x.X.x.X.x.X..."}, {drum::kOpenHat, "..............x."}};
const Lanes kChorusBeat = {{drum::kKick, "x.....x.x.....x."}, {drum::kSnare, "....X.......X..."},
                           {drum::kClap, "....x.......x..."}, {drum::kClosedHat, "x.x.x.x.x.x.x.x."},
                           {drum::kTambourine, "..x...x...x...x."}};
const Lanes kFill = {{drum::kKick, "x.......x......."}, {drum::kSnare, "....X.....x.xoxx"},
                     {drum::kClosedHat, "x.x.x.x.x......."}, {drum::kHighTom, "...........x...."},
                     {drum::kMidTom, ".............x.."}};
const Lanes kCountIn = {{drum::kKick, "x...x...x...x..."}, {drum::kClosedHat, "..x...x...x...x."}};
const Lanes kPickupFill = {{drum::kKick, "x...x...x......."}, {drum::kClosedHat, "..x...x...x....."},
                           {drum::kSnare, "............xxXX"}};

void addDrums(Song& song) {
  std::vector<Note> drums = drumBar(kCountIn, 0, 74);
  append(drums, drumBar(kPickupFill, kBar, 74));
  for (int bar = 0; bar < 32; ++bar) {
    const Tick at = kVerse + bar * kBar;
    const bool chorus = (bar / 8) % 2 == 1;
    const Lanes& lanes = bar % 8 == 7 ? kFill : chorus ? kChorusBeat : bar % 4 == 3 ? kVerseTurn : kVerseBeat;
    append(drums, drumBar(lanes, at, chorus ? 84 : 78));
    if (bar % 8 == 0) append(drums, drumBar({{drum::kCrash, "x..............."}}, at, 80));
  }
  humanize(drums, 0xB621, 6);
  song.add(kDrumChannel, drums);
}

}  // namespace

Song titleMusic() {
  Song song("Open Door", kIntro, kEnd);
  song.tempo(0, 128);
  song.tempo(kVerse, 128);
  song.keySignature(2, false);
  song.level(-1.8);  // as loud as the other pieces: about -27 dBFS over its first minute
  song.use({kLead, 5, 104, 64, 45, 30});
  song.use({kGuitar, 27, 74, 40, 40, 40});
  song.use({kStrings, 48, 70, 88, 60, 0});
  song.use({kBass, 34, 100, 64, 20, 0});
  song.use({kGlock, 9, 62, 80, 55, 0});
  song.use({kDrumChannel, 0, 96, 64, 35, 0});

  const std::string verse(kVerseChords), chorus(kChorusChords);
  const std::vector<ChordSpan> intro = progression(kIntroChords, 0);
  const std::vector<ChordSpan> verses = progression(verse, kVerse);
  const std::vector<ChordSpan> choruses = progression(chorus, kChorus);
  const std::vector<ChordSpan> verses2 = progression(verse, kVerse2);
  const std::vector<ChordSpan> choruses2 = progression(chorus, kChorus2);
  const std::vector<ChordSpan> all = progression(std::string(kIntroChords) + verse + chorus + verse + chorus, 0);

  std::vector<Note> lead = phrase(kIntroPickup, 0, 80);
  append(lead, melody(kVerseMelody, kVerse, 84));
  append(lead, melody(kChorusMelody, kChorus, 92));
  append(lead, melody(kVerse2Melody, kVerse2, 86));
  const std::vector<Note> lastChorus = melody(kChorus2Melody, kChorus2, 96);
  append(lead, lastChorus);
  humanize(lead, 0xB622, 3);
  song.add(kLead, lead);
  song.add(kGlock, transpose(lastChorus, 12, -22));

  Voicer guitarVoices(55, 72, 3);
  std::vector<Note> guitar = comp(intro, guitarVoices, "x--x--x-", 78);
  append(guitar, comp(verses, guitarVoices, ".x.x.x.x", 70));
  append(guitar, comp(choruses, guitarVoices, "x--x--x-", 80));
  append(guitar, comp(verses2, guitarVoices, ".x.x.x.x", 72));
  append(guitar, comp(choruses2, guitarVoices, "x--x--x-", 84));
  keepClearOf(guitar, lead, all);
  humanize(guitar, 0xB623, 4);
  song.add(kGuitar, guitar);

  Voicer stringVoices(50, 69, 4);
  std::vector<Note> strings = sustain(choruses, stringVoices, 58);
  append(strings, sustain(verses2, stringVoices, 44));
  append(strings, sustain(choruses2, stringVoices, 64));
  keepClearOf(strings, lead, all);
  song.add(kStrings, strings);

  std::vector<Note> bass = bassLine(intro, "R:4 R:4 R:4 R:4", "R:8 R:8 R:8 R:8", 33, 52, 80);
  for (const std::vector<ChordSpan>* part : {&verses, &verses2})
    append(bass, bassLine(*part, "R:8 R:8 R:8 R:8 R:8 R:8 5:8 R:8", "R:8 R:8 R:8 R:8", 33, 52, 84));
  // Both choruses hand over to a verse, which starts on D.
  for (const std::vector<ChordSpan>* part : {&choruses, &choruses2})
    append(bass, bassLine(*part, "R:4. R:8 5:4 8:8 A:8", "R:4 5:8 A:8", 33, 52, 88, &verses.front().chord));
  keepClearOf(bass, lead, all);
  humanize(bass, 0xB624, 4);
  song.add(kBass, bass);

  addDrums(song);
  return song;
}

}  // namespace musicgen
