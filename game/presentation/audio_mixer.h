#pragma once
// The audio stream's callback: the music first, then the eight effect voices, plus any effect
// that lost its voice and is still playing out.
#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "game/platform/platform.h"
#include "game/presentation/effect_sound.h"

namespace quorel {

struct VoiceGains {
  float left = 1.0f;
  float right = 1.0f;
};

// Pan in hundredths of a decibel attenuates the opposite channel only; a pan outside
// -10000..10000 is refused and the sound stays centred.
VoiceGains panGains(int pan);

class AudioMixer : public platform::AudioSource {
 public:
  static constexpr int kVoices = 8;

  // Chooses a voice for a new effect and starts `sound` in it once. Scans voices 0 to 7:
  // a busy voice is skipped, a finished one is emptied and passed over, the first voice found
  // empty is taken. With none taken, `random() % 8` picks one; a sound still playing there
  // plays on to its end outside the voices. A null `sound` leaves the chosen voice empty.
  // Returns the chosen voice. Game thread.
  int start(std::unique_ptr<const EffectSound> sound, VoiceGains gains, const std::function<unsigned()>& random);

  // The music's renderer, or null. Returns once the audio thread no longer uses the old one.
  void setMusic(platform::AudioSource* music);

  // Audio thread.
  void render(float* out, int frames) override;

  // What the voices hold, for tests: true where a voice holds a sound that has not ended.
  std::array<bool, kVoices> busyVoices() const;
  // Sounds that lost their voice and have not ended yet.
  int displacedPlaying() const;

 private:
  struct Voice {
    std::unique_ptr<const EffectSound> sound;
    std::size_t position = 0;  // frames played
    VoiceGains gains;
    bool playing() const { return sound && position < sound->frames(); }
  };

  static void mixVoice(Voice& voice, float* out, int frames);
  void releaseFinished(std::vector<std::unique_ptr<const EffectSound>>& released);

  std::mutex musicMutex_;
  platform::AudioSource* music_ = nullptr;

  // Sounds are freed only on the game thread (when a scan passes them), never in the callback.
  mutable std::mutex voicesMutex_;
  std::array<Voice, kVoices> voices_;
  std::vector<Voice> displaced_;
};

}  // namespace quorel
