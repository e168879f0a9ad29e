#pragma once
// An effect's samples made ready for the audio stream: float, stereo, at the stream's rate.
#include <cstddef>
#include <memory>
#include <vector>

#include "game/presentation/wave.h"

namespace quorel {

struct EffectSound {
  std::vector<float> samples;  // interleaved left, right
  std::size_t frames() const { return samples.size() / 2; }
};

// Converts 8- or 16-bit PCM, mono or stereo, at any rate into the stream's format. Empty for
// anything else, as a sound buffer refuses a format it cannot play.
std::unique_ptr<const EffectSound> makeEffectSound(const WaveImage& wave, int streamRate);

}  // namespace quorel
