#include "tools/assetgen/sounds_dsp.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace assetgen::sound {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double raisedCosine(double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(x, 0.0, 1.0)); }

// Exact integer arithmetic keeps the noise identical on every compiler, unlike <random>'s
// distributions.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
  double next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};

// A trapezoidal state-variable band-pass: it stays stable while its centre moves every sample,
// which a directly retuned biquad does not.
class SweptBandPass {
 public:
  explicit SweptBandPass(double q) : k_(1.0 / q) {}
  double process(double x, double centre) {
    const double g = std::tan(std::numbers::pi * std::min(centre, 0.45 * kSampleRate) / kSampleRate);
    const double a1 = 1.0 / (1.0 + g * (g + k_));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = x - ic2_;
    const double v1 = a1 * ic1_ + a2 * v3;
    const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return k_ * v1;  // unity gain at the centre
  }

 private:
  double k_;
  double ic1_ = 0.0;
  double ic2_ = 0.0;
};

// Walks the samples a note covers, clipped to the signal, handing each its time within the note.
template <typename F>
void forEachNoteSample(Signal& out, double start, double length, F&& f) {
  const std::size_t first = sampleIndex(start);
  const std::size_t last = std::min(out.size(), sampleIndex(start + length));
  for (std::size_t i = first; i < last; ++i) f(out[i], secondsAt(i - first));
}

void removeDc(Signal& s) {
  const double pole = 1.0 - kTwoPi * 20.0 / kSampleRate;
  double previousIn = 0.0, previousOut = 0.0;
  for (double& x : s) {
    const double y = x - previousIn + pole * previousOut;
    previousIn = x;
    previousOut = y;
    x = y;
  }
}

void fadeEnds(Signal& s) {
  const std::size_t in = std::min(s.size(), sampleIndex(0.002));
  const std::size_t out = std::min(s.size(), sampleIndex(0.006));
  for (std::size_t i = 0; i < in; ++i) s[i] *= raisedCosine(static_cast<double>(i) / static_cast<double>(in));
  for (std::size_t i = 0; i < out; ++i)
    s[s.size() - 1 - i] *= raisedCosine(static_cast<double>(i) / static_cast<double>(out));
}

}  // namespace

Signal silence(double seconds) { return Signal(sampleIndex(seconds), 0.0); }

std::size_t sampleIndex(double seconds) {
  return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * kSampleRate));
}

double secondsAt(std::size_t index) { return static_cast<double>(index) / kSampleRate; }

double noteFrequency(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

double Envelope::at(double t) const {
  if (t < 0.0 || t >= length) return 0.0;
  const double rise = attack > 0.0 ? raisedCosine(t / attack) : 1.0;
  const double fall = decay > 0.0 && t > attack ? std::exp(-(t - attack) / decay) : 1.0;
  const double releaseStart = length - release;
  const double end = release > 0.0 && t > releaseStart ? 1.0 - raisedCosine((t - releaseStart) / release) : 1.0;
  return rise * fall * end;
}

double Glide::at(double t) const {
  if (seconds <= 0.0 || t >= seconds) return to;
  return from * std::pow(to / from, std::max(0.0, t) / seconds);
}

void addAdditive(Signal& out, double start, const Glide& pitch, std::span<const Partial> partials,
                 const Envelope& envelope, double gain, double detuneCents) {
  const double detune = std::pow(2.0, detuneCents / 1200.0);
  const int copies = detuneCents != 0.0 ? 2 : 1;
  std::vector<double> phases(partials.size() * 2, 0.0);
  forEachNoteSample(out, start, envelope.length, [&](double& sample, double t) {
    const double f = pitch.at(t);
    double sum = 0.0;
    for (std::size_t p = 0; p < partials.size(); ++p) {
      const Partial& partial = partials[p];
      const double fade = envelope.decay > 0.0 && t > envelope.attack && partial.decayScale != 1.0
                              ? std::exp(-(t - envelope.attack) * (partial.decayScale - 1.0) / envelope.decay)
                              : 1.0;
      for (int c = 0; c < copies; ++c) {
        double& phase = phases[p * 2 + static_cast<std::size_t>(c)];
        sum += partial.gain * fade * std::sin(phase) / copies;
        const double frequency = f * partial.ratio * (c == 1 ? detune : 1.0);
        // Partials above the audible band would only fold back as noise.
        if (frequency < 0.45 * kSampleRate) phase = std::fmod(phase + kTwoPi * frequency / kSampleRate, kTwoPi);
      }
    }
    sample += gain * envelope.at(t) * sum;
  });
}

void addFm(Signal& out, double start, const Glide& pitch, const FmVoice& voice, const Envelope& envelope,
           double gain) {
  double carrier = 0.0, modulator = 0.0;
  forEachNoteSample(out, start, envelope.length, [&](double& sample, double t) {
    const double vibratoIn = voice.vibratoDelay > 0.0 ? raisedCosine((t - voice.vibratoDelay) / 0.2) : 1.0;
    const double vibrato = 1.0 + voice.vibratoDepth * vibratoIn * std::sin(kTwoPi * voice.vibratoRate * t);
    const double f = pitch.at(t) * vibrato;
    const double index = voice.indexEnd + (voice.indexStart - voice.indexEnd) * std::exp(-t / voice.indexTime);
    sample += gain * envelope.at(t) * std::sin(carrier + index * std::sin(modulator));
    carrier = std::fmod(carrier + kTwoPi * f / kSampleRate, kTwoPi);
    modulator = std::fmod(modulator + kTwoPi * f * voice.ratio / kSampleRate, kTwoPi);
  });
}

void addNoiseBand(Signal& out, double start, const Glide& centre, double q, const Envelope& envelope,
                  double gain, std::uint32_t seed) {
  Noise noise(seed);
  // Two stages in series: one alone lets too much hiss through its gentle skirts.
  SweptBandPass first(q), second(q);
  forEachNoteSample(out, start, envelope.length, [&](double& sample, double t) {
    const double f = centre.at(t);
    sample += gain * envelope.at(t) * second.process(first.process(noise.next(), f), f);
  });
}

double loudnessDbfs(const Signal& signal) {
  const double threshold = std::pow(10.0, -50.0 / 20.0);
  const auto loud = [threshold](double x) { return std::abs(x) >= threshold; };
  const auto first = std::find_if(signal.begin(), signal.end(), loud);
  if (first == signal.end()) return -std::numeric_limits<double>::infinity();
  const auto last = std::find_if(signal.rbegin(), signal.rend(), loud).base();
  double sum = 0.0;
  for (auto it = first; it != last; ++it) sum += *it * *it;
  return 10.0 * std::log10(sum / static_cast<double>(last - first));
}

std::vector<std::int16_t> finish(Signal signal, double loudness) {
  removeDc(signal);
  fadeEnds(signal);
  // Scaling moves the -50 dBFS edges of the active part a little, so the level is found by a few
  // rounds of measuring and scaling; each round lands closer.
  double gain = 1.0;
  for (int round = 0; round < 4; ++round) {
    Signal scaled = signal;
    for (double& x : scaled) x *= gain;
    const double measured = loudnessDbfs(scaled);
    if (!std::isfinite(measured)) break;
    gain *= std::pow(10.0, (loudness - measured) / 20.0);
  }
  std::vector<std::int16_t> samples;
  samples.reserve(signal.size());
  for (double x : signal)
    samples.push_back(static_cast<std::int16_t>(std::clamp(std::lround(x * gain * 32767.0), -32767L, 32767L)));
  return samples;
}

}  // namespace assetgen::sound
