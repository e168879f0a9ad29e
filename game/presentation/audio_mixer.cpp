#include "game/presentation/audio_mixer.h"

#include <algorithm>
#include <cmath>

namespace quorel {

VoiceGains panGains(int pan) {
  constexpr int kFullLeft = -10000;
  constexpr int kFullRight = 10000;
  if (pan < kFullLeft || pan > kFullRight) return {};
  const auto attenuation = [](int hundredthsOfDecibel) {
    return static_cast<float>(std::pow(10.0, -hundredthsOfDecibel / 2000.0));
  };
  if (pan > 0) return {attenuation(pan), 1.0f};
  if (pan < 0) return {1.0f, attenuation(-pan)};
  return {};
}

int AudioMixer::start(std::unique_ptr<const EffectSound> sound, VoiceGains gains,
                      const std::function<unsigned()>& random) {
  std::vector<std::unique_ptr<const EffectSound>> released;  // freed after the lock is let go
  std::lock_guard lock(voicesMutex_);
  releaseFinished(released);
  int chosen = -1;
  for (int i = 0; i < kVoices && chosen < 0; ++i) {
    Voice& voice = voices_[i];
    if (voice.playing()) continue;
    if (voice.sound) {
      released.push_back(std::move(voice.sound));
      continue;
    }
    chosen = i;
  }
  if (chosen < 0) {
    chosen = static_cast<int>(random() % kVoices);
    Voice& voice = voices_[chosen];
    if (voice.playing()) displaced_.push_back(std::move(voice));
  }
  voices_[chosen] = Voice{std::move(sound), 0, gains};
  return chosen;
}

void AudioMixer::releaseFinished(std::vector<std::unique_ptr<const EffectSound>>& released) {
  const auto ended = std::remove_if(displaced_.begin(), displaced_.end(), [](const Voice& v) { return !v.playing(); });
  for (auto it = ended; it != displaced_.end(); ++it) released.push_back(std::move(it->sound));
  displaced_.erase(ended, displaced_.end());
}

void AudioMixer::setMusic(platform::AudioSource* music) {
  std::lock_guard lock(musicMutex_);
  music_ = music;
}

void AudioMixer::mixVoice(Voice& voice, float* out, int frames) {
  if (!voice.playing()) return;
  const std::size_t left = voice.sound->frames() - voice.position;
  const std::size_t count = std::min(left, static_cast<std::size_t>(frames));
  const float* in = voice.sound->samples.data() + 2 * voice.position;
  for (std::size_t i = 0; i < count; ++i) {
    out[2 * i] += in[2 * i] * voice.gains.left;
    out[2 * i + 1] += in[2 * i + 1] * voice.gains.right;
  }
  voice.position += count;
}

void AudioMixer::render(float* out, int frames) {
  {
    std::lock_guard lock(musicMutex_);
    if (music_) music_->render(out, frames);
  }
  {
    std::lock_guard lock(voicesMutex_);
    for (Voice& voice : voices_) mixVoice(voice, out, frames);
    for (Voice& voice : displaced_) mixVoice(voice, out, frames);
  }
  std::for_each(out, out + 2 * static_cast<std::ptrdiff_t>(frames), [](float& s) { s = std::clamp(s, -1.0f, 1.0f); });
}

std::array<bool, AudioMixer::kVoices> AudioMixer::busyVoices() const {
  std::lock_guard lock(voicesMutex_);
  std::array<bool, kVoices> busy{};
  for (int i = 0; i < kVoices; ++i) busy[i] = voices_[i].playing();
  return busy;
}

int AudioMixer::displacedPlaying() const {
  std::lock_guard lock(voicesMutex_);
  return static_cast<int>(std::count_if(displaced_.begin(), displaced_.end(), [](const Voice& v) { return v.playing(); }));
}

}  // namespace quorel
