#include "game/presentation/beep_tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorel {

namespace {

constexpr double kPeak = 0.3;             // well below the effects, which are mixed near full scale
constexpr double kAttackSeconds = 0.004;
constexpr double kOctaveShare = 0.25;

}  // namespace

std::unique_ptr<const EffectSound> makeBeepTone(int streamRate) {
  if (streamRate <= 0) return nullptr;
  const auto frames = static_cast<std::size_t>(std::lround(kBeepSeconds * streamRate));
  auto tone = std::make_unique<EffectSound>();
  tone->samples.resize(2 * frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / streamRate;
    const double attack = std::min(1.0, t / kAttackSeconds);
    const double left = 1.0 - t / kBeepSeconds;  // falls to 0 at the last frame
    const double envelope = attack * left * left;
    const double phase = 2.0 * std::numbers::pi * kBeepHertz * t;
    const double wave = (std::sin(phase) + kOctaveShare * std::sin(2.0 * phase)) / (1.0 + kOctaveShare);
    const auto sample = static_cast<float>(kPeak * envelope * wave);
    tone->samples[2 * i] = sample;
    tone->samples[2 * i + 1] = sample;
  }
  return tone;
}

}  // namespace quorel
