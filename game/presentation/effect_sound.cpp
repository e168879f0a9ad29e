#include "game/presentation/effect_sound.h"


namespace quorel {

namespace {

constexpr std::uint16_t kPcmFormat = 1;
// The range of playback rates a sound buffer accepts; it also keeps a hostile rate from asking
// for an enormous resampled copy.
constexpr std::uint32_t kLowestRate = 100;
constexpr std::uint32_t kHighestRate = 200000;

float sampleAt(std::span<const std::uint8_t> data, std::size_t index, int bytesPerSample) {
  if (bytesPerSample == 1) return (static_cast<float>(data[index]) - 128.0f) / 128.0f;
  const auto value = static_cast<std::int16_t>(data[2 * index] | data[2 * index + 1] << 8);
  return static_cast<float>(value) / 32768.0f;
}

// The source as float stereo frames at its own rate.
std::vector<float> decode(const WaveImage& wave) {
  const int bytesPerSample = wave.bitsPerSample / 8;
  const std::size_t frameBytes = static_cast<std::size_t>(bytesPerSample) * wave.channels;
  const std::size_t frames = wave.data.size() / frameBytes;
  std::vector<float> stereo(2 * frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const float left = sampleAt(wave.data, i * wave.channels, bytesPerSample);
    const float right = wave.channels == 2 ? sampleAt(wave.data, i * 2 + 1, bytesPerSample) : left;
    stereo[2 * i] = left;
    stereo[2 * i + 1] = right;
  }
  return stereo;
}

std::vector<float> resample(const std::vector<float>& source, std::uint32_t sourceRate, int streamRate) {
  const std::size_t sourceFrames = source.size() / 2;
  if (sourceRate == static_cast<std::uint32_t>(streamRate) || sourceFrames == 0) return source;
  const double step = static_cast<double>(sourceRate) / streamRate;
  const auto rate = static_cast<std::uint64_t>(streamRate);
  const auto frames = static_cast<std::size_t>((sourceFrames * rate + sourceRate - 1) / sourceRate);
  std::vector<float> out(2 * frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const double position = static_cast<double>(i) * step;
    const auto before = static_cast<std::size_t>(position);
    const std::size_t after = before + 1 < sourceFrames ? before + 1 : before;
    const auto weight = static_cast<float>(position - static_cast<double>(before));
    for (std::size_t channel = 0; channel < 2; ++channel) {
      const float a = source[2 * before + channel];
      const float b = source[2 * after + channel];
      out[2 * i + channel] = a + (b - a) * weight;
    }
  }
  return out;
}

bool playable(const WaveImage& wave, int streamRate) {
  return streamRate > 0 && wave.formatTag == kPcmFormat && (wave.channels == 1 || wave.channels == 2) &&
         (wave.bitsPerSample == 8 || wave.bitsPerSample == 16) && wave.samplesPerSecond >= kLowestRate &&
         wave.samplesPerSecond <= kHighestRate;
}

}  // namespace

std::unique_ptr<const EffectSound> makeEffectSound(const WaveImage& wave, int streamRate) {
  if (!playable(wave, streamRate)) return nullptr;
  auto sound = std::make_unique<EffectSound>();
  sound->samples = resample(decode(wave), wave.samplesPerSecond, streamRate);
  return sound;
}

}  // namespace quorel
