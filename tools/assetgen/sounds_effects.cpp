// The game's twelve sound effects, each a recipe over the synthesis kit. Lengths matter: "move",
// "tcmove", "sdw" and "sup" can sound on every frame a key is held, so they stay well under a
// tenth of a second or so; "next" covers the stage-clear pause; "logo" rings under the logo.
#include <array>
#include <cstdio>
#include <string>

#include "common/wave_file.h"
#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/sounds_dsp.h"

namespace assetgen {
namespace {

using sound::addAdditive;
using sound::addFm;
using sound::addNoiseBand;
using sound::Envelope;
using sound::FmVoice;
using sound::Glide;
using sound::noteFrequency;
using sound::Partial;
using sound::Signal;

Glide steady(double frequency) { return {frequency, frequency, 0.0}; }
Glide note(double midiNote) { return steady(noteFrequency(midiNote)); }

// Modes of a struck metal bar: the inharmonic overtones are what make it ring like a chime.
constexpr std::array<Partial, 3> kBar = {{{1.0, 1.0}, {2.76, 0.4, 1.8}, {5.40, 0.15, 3.0}}};
// A rounder bell for the signals that call the player.
constexpr std::array<Partial, 4> kBell = {{{1.0, 1.0}, {2.0, 0.30, 1.5}, {3.0, 0.10, 2.2}, {4.16, 0.06, 3.0}}};
// Odd harmonics, softened: a mellow square for the menu blips.
constexpr std::array<Partial, 3> kSoftSquare = {{{1.0, 1.0}, {3.0, 0.22}, {5.0, 0.07}}};
constexpr std::array<Partial, 2> kSine = {{{1.0, 1.0}, {2.0, 0.15, 1.5}}};
// A hollow wooden block.
constexpr std::array<Partial, 3> kWood = {{{1.0, 1.0}, {2.32, 0.5, 1.8}, {4.1, 0.18, 2.6}}};

// A push: the block scrapes briefly over the floor and settles.
Signal makeMove() {
  Signal s = sound::silence(0.15);
  addNoiseBand(s, 0.0, {1500.0, 450.0, 0.13}, 0.9, {0.02, 0.05, 0.15, 0.04}, 1.0, 0x51DEu);
  addAdditive(s, 0.0, {150.0, 95.0, 0.1}, kSine, {0.004, 0.035, 0.12, 0.03}, 0.35);
  return s;
}

// Two blocks strike and one remains: a dry knock with a short wooden ring.
Signal makeHit() {
  Signal s = sound::silence(0.28);
  addAdditive(s, 0.0, {460.0, 300.0, 0.025}, kWood, {0.0008, 0.045, 0.28, 0.05}, 1.0);
  addAdditive(s, 0.0, {150.0, 90.0, 0.05}, kSine, {0.001, 0.05, 0.2, 0.05}, 0.6);
  addNoiseBand(s, 0.0, steady(2600.0), 0.9, {0.0005, 0.006, 0.03, 0.01}, 0.9, 0x4817u);
  return s;
}

// Both blocks vanish: a quick rising E major arpeggio on a glockenspiel, with a little sparkle.
Signal makeClear() {
  Signal s = sound::silence(0.8);
  const std::array<double, 3> notes = {88, 92, 95};
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const double start = 0.05 * static_cast<double>(i);
    addAdditive(s, start, note(notes[i]), kBar, {0.001, 0.2, 0.8 - start, 0.15}, 0.6);
  }
  addNoiseBand(s, 0.1, {7000.0, 10000.0, 0.3}, 2.5, {0.01, 0.08, 0.35, 0.1}, 0.25, 0xC1EAu);
  return s;
}

// A brass voice: the modulation index rises with the attack, as a horn brightens when blown.
FmVoice brass(double vibrato) { return {1.0, 0.4, 2.4, 0.04, vibrato, 5.5, 0.35}; }

// The stage is cleared: "ta-ta-ta-taa, ta-TAAA" in C major, the last note held over the chord.
Signal makeNext() {
  Signal s = sound::silence(2.15);
  struct Blow {
    double start, midiNote, length, gain;
  };
  const std::array<Blow, 5> lead = {{{0.00, 67, 0.11, 0.55}, {0.11, 72, 0.11, 0.55}, {0.22, 76, 0.11, 0.6},
                                     {0.33, 79, 0.30, 0.7}, {0.63, 76, 0.14, 0.55}}};
  for (const Blow& b : lead) addFm(s, b.start, note(b.midiNote), brass(0.0), {0.012, 0.0, b.length, 0.03}, b.gain);
  const double hold = 0.77, length = 2.15 - hold;
  addFm(s, hold, note(84), brass(0.005), {0.02, 1.6, length, 0.4}, 0.65);
  for (double chordNote : {60.0, 64.0, 67.0, 72.0})
    addFm(s, hold, note(chordNote), brass(0.0), {0.03, 1.4, length, 0.4}, 0.28);
  addAdditive(s, hold, note(36), kSine, {0.002, 0.35, 1.0, 0.2}, 0.45);
  addNoiseBand(s, hold, steady(6500.0), 0.7, {0.01, 0.5, length, 0.4}, 0.22, 0x7E47u);
  return s;
}

// Calls the player's attention: a two-note bell, low then high.
Signal makeAttend() {
  Signal s = sound::silence(0.55);
  addAdditive(s, 0.0, note(83), kBell, {0.002, 0.12, 0.55, 0.1}, 0.7, 5.0);
  addAdditive(s, 0.09, note(88), kBell, {0.002, 0.16, 0.46, 0.12}, 0.8, 5.0);
  return s;
}

// Cursor ticks: tiny and high, so a held key that repeats them stays pleasant.
Signal makeCursorTick() {
  Signal s = sound::silence(0.05);
  addAdditive(s, 0.0, steady(1800.0), kSine, {0.001, 0.012, 0.05, 0.01}, 1.0);
  addNoiseBand(s, 0.0, steady(4200.0), 1.0, {0.0005, 0.003, 0.012, 0.004}, 0.4, 0x71C4u);
  return s;
}

Signal makeCursorTickWooden() {
  Signal s = sound::silence(0.06);
  addAdditive(s, 0.0, steady(1250.0), kWood, {0.001, 0.015, 0.06, 0.012}, 1.0);
  return s;
}

Signal makeBlip(double from, double to) {
  Signal s = sound::silence(0.1);
  addAdditive(s, 0.0, {from, to, 0.085}, kSoftSquare, {0.003, 0.045, 0.1, 0.03}, 1.0);
  return s;
}
Signal makeStepDown() { return makeBlip(1100.0, 550.0); }
Signal makeStepUp() { return makeBlip(550.0, 1100.0); }

// Erasing: a falling whoosh with a gritty FM tone sinking under it.
Signal makeDelete() {
  Signal s = sound::silence(0.32);
  addNoiseBand(s, 0.0, {4500.0, 350.0, 0.28}, 1.6, {0.01, 0.14, 0.32, 0.06}, 1.0, 0xDE1Eu);
  addFm(s, 0.0, {900.0, 160.0, 0.26}, {1.41, 3.0, 0.6, 0.12}, {0.005, 0.11, 0.3, 0.06}, 0.45);
  return s;
}

// A toggle switch: the lever's click, then the contact's lower snap.
Signal makeSwitch() {
  Signal s = sound::silence(0.075);
  addNoiseBand(s, 0.0, steady(3200.0), 1.2, {0.0004, 0.003, 0.016, 0.005}, 1.0, 0x5317u);
  addAdditive(s, 0.0, steady(2300.0), kSine, {0.0005, 0.006, 0.025, 0.008}, 0.45);
  addNoiseBand(s, 0.034, steady(1800.0), 1.2, {0.0004, 0.004, 0.022, 0.006}, 0.8, 0x5318u);
  addAdditive(s, 0.034, steady(1450.0), kSine, {0.0005, 0.008, 0.035, 0.01}, 0.4);
  return s;
}

// The logo's sting: a strummed D major ninth on a bell-like electric piano, two slightly
// detuned copies beating against each other to shimmer, with a few glints on top.
Signal makeLogo() {
  const double total = 1.6;
  Signal s = sound::silence(total);
  const std::array<double, 6> chord = {62, 69, 73, 76, 78, 81};
  for (std::size_t i = 0; i < chord.size(); ++i) {
    const double start = 0.03 * static_cast<double>(i);
    const Envelope body{0.004, 0.9, total - start, 0.35};
    addFm(s, start, note(chord[i]), {1.0, 1.6, 0.15, 0.25}, body, 0.22);
    addAdditive(s, start, note(chord[i]), kBell, body, 0.18, 7.0);
  }
  const std::array<double, 3> glints = {93, 98, 102};
  for (std::size_t i = 0; i < glints.size(); ++i) {
    const double start = 0.25 + 0.1 * static_cast<double>(i);
    addAdditive(s, start, note(glints[i]), kBar, {0.001, 0.25, total - start, 0.3}, 0.12);
  }
  return s;
}

struct Effect {
  const char* name;
  Signal (*make)();
};

constexpr std::array<Effect, 12> kEffects = {{
    {"ATTEND", makeAttend},
    {"CLEAR", makeClear},
    {"DEL", makeDelete},
    {"HIT", makeHit},
    {"LOGO", makeLogo},
    {"MOVE", makeMove},
    {"NEXT", makeNext},
    {"SDW", makeStepDown},
    {"SUP", makeStepUp},
    {"SWITCH", makeSwitch},
    {"TCMOVE", makeCursorTick},
    {"TCMOVE2", makeCursorTickWooden},
}};

}  // namespace

bool writeSounds(const std::string& folder) {
  for (const Effect& effect : kEffects) {
    const std::string path = folder + "/" + effect.name + ".wav";
    if (!quorel::writeWaveFile(path, 1, sound::kSampleRate, sound::finish(effect.make()))) {
      std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace assetgen
