// Effects are looked up as WAVE files in the working folder when no resource has the name, so
// any file a player leaves there is read, converted and resampled to the stream's rate.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "fuzz/property.h"
#include "game/presentation/effect_sound.h"
#include "game/presentation/wave.h"

namespace {

constexpr int kStreamRate = 48000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quorel::fuzz::requireThat;
  const std::span<const std::uint8_t> image(data, size);
  const std::optional<quorel::WaveImage> wave = quorel::parseWave(image);
  if (!wave) return 0;
  requireThat(wave->data.data() >= data && wave->data.data() + wave->data.size() <= data + size,
              "the sample bytes lie inside the image");

  const std::unique_ptr<const quorel::EffectSound> sound = quorel::makeEffectSound(*wave, kStreamRate);
  if (!sound) return 0;
  requireThat(sound->samples.size() % 2 == 0, "an effect is whole stereo frames");
  const std::size_t frameBytes = static_cast<std::size_t>(wave->channels) * wave->bitsPerSample / 8;
  const std::size_t sourceFrames = wave->data.size() / frameBytes;
  const double expected = static_cast<double>(sourceFrames) * kStreamRate / wave->samplesPerSecond;
  requireThat(std::abs(static_cast<double>(sound->frames()) - expected) <= 1.0,
              "resampling keeps the sound's length");
  for (const float sample : sound->samples) {
    requireThat(sample >= -1.0f && sample <= 1.0f, "samples stay within full scale");
  }
  return 0;
}
