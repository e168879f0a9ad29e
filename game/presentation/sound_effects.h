#pragma once
// The game's sound effects: eight voices mixed into the audio stream, or in beep mode a beep
// tone in their place (the system beep when there is no audio stream).
#include <functional>
#include <random>
#include <string_view>

#include "game/platform/platform.h"
#include "game/presentation/audio_mixer.h"

namespace quorel {

// Whether effects sound at all (the S.E. setting) and whether a system beep stands in for
// them. They belong to the game state, which hands them over with every effect.
struct EffectSwitches {
  bool effectsOn = true;
  bool beepMode = false;
};

class SoundEffects {
 public:
  explicit SoundEffects(platform::Platform& platform);
  ~SoundEffects();
  SoundEffects(const SoundEffects&) = delete;
  SoundEffects& operator=(const SoundEffects&) = delete;

  // Opens the audio stream; false when no audio device can be had.
  bool startUp();
  // Plays the named effect ("move", "hit", ...) once, with pan in hundredths of a decibel.
  // The sound is the WAVE resource of the upper-cased name, else the file of that name in the
  // working folder; a missing or unplayable sound plays nothing.
  void play(std::string_view name, int pan, EffectSwitches switches = {});

  // The open stream's rate; 0 until startUp has succeeded.
  int sampleRate() const { return sampleRate_; }
  AudioMixer& mixer() { return mixer_; }

  // Picks the voice a new effect takes when all eight are busy (taken modulo 8).
  std::function<unsigned()> randomSource;

 private:
  std::unique_ptr<const EffectSound> loadSound(std::string_view upperName) const;

  platform::Platform& platform_;
  AudioMixer mixer_;
  int sampleRate_ = 0;
  std::minstd_rand random_;
};

}  // namespace quorel
