#pragma once
// A small synthesis kit for the game's sound effects: oscillators, envelopes, filtered noise and
// the finishing steps that turn a signal into clean 16-bit samples. Everything is deterministic.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace assetgen::sound {

constexpr int kSampleRate = 44100;

// Mono samples at kSampleRate, nominally within [-1, 1] before finishing.
using Signal = std::vector<double>;

Signal silence(double seconds);
std::size_t sampleIndex(double seconds);
double secondsAt(std::size_t index);

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double noteFrequency(double midiNote);

// Amplitude over one note: a raised-cosine rise over `attack`, an exponential fall with time
// constant `decay` (0 holds the level), and a raised-cosine release that reaches silence at `length`.
struct Envelope {
  double attack = 0.003;
  double decay = 0.0;
  double length = 0.1;
  double release = 0.01;

  double at(double t) const;
};

// A sine partial of an additive tone: frequency ratio to the fundamental, level, and how much
// faster (> 1) or slower (< 1) than the envelope's decay it fades.
struct Partial {
  double ratio;
  double gain;
  double decayScale = 1.0;
};

// Frequency that glides exponentially from `from` to `to` over `seconds`, then holds.
struct Glide {
  double from;
  double to;
  double seconds;

  double at(double t) const;
};

// Sums `partials` of a fundamental that follows `pitch`, shaped by `envelope`, into `out` from
// `start` seconds on. `detuneCents` adds a second copy pitched that far up, for a chorus shimmer.
void addAdditive(Signal& out, double start, const Glide& pitch, std::span<const Partial> partials,
                 const Envelope& envelope, double gain, double detuneCents = 0.0);

// Two-operator FM: a modulator at `ratio` times the carrier, with a modulation index that starts
// at `indexStart` and moves exponentially towards `indexEnd` with time constant `indexTime`.
struct FmVoice {
  double ratio = 1.0;
  double indexStart = 1.0;
  double indexEnd = 0.0;
  double indexTime = 0.1;
  double vibratoDepth = 0.0;  // fraction of the frequency
  double vibratoRate = 5.0;   // Hz
  double vibratoDelay = 0.0;  // seconds before the vibrato fades in
};
void addFm(Signal& out, double start, const Glide& pitch, const FmVoice& voice, const Envelope& envelope,
           double gain);

// White noise through a band-pass filter whose centre glides with `centre`.
void addNoiseBand(Signal& out, double start, const Glide& centre, double q, const Envelope& envelope,
                  double gain, std::uint32_t seed);

// How loud an effect is: the RMS level in dBFS of its active part, from its first to its last
// sample at or above -50 dBFS, so that a quiet tail does not make a short sound seem softer.
double loudnessDbfs(const Signal& signal);

// Every effect is finished to this loudness, so none sounds louder than another; at this level
// the sharpest of them still peaks below -1.5 dBFS.
constexpr double kEffectLoudnessDbfs = -17.0;

// Removes any DC, fades the very ends so the first and last samples are silent, scales the
// sound to `loudness` (see loudnessDbfs) and rounds to 16 bits.
std::vector<std::int16_t> finish(Signal signal, double loudness = kEffectLoudnessDbfs);

}  // namespace assetgen::sound
