#pragma once
// The game's sound effects: eight voices mixed into the audio stream, or the system beep.
#include <string_view>

#include "game/platform/platform.h"

namespace quorel {

class SoundEffects {
 public:
  explicit SoundEffects(platform::Platform& platform);
  ~SoundEffects();
  // Opens the audio stream; false when no audio device can be had.
  bool startUp();
  // Plays the named effect ("move", "hit", ...) once, with pan in hundredths of a decibel.
  void play(std::string_view name, int pan);

  bool beepMode = false;
  bool effectsOn = true;  // the S.E. setting, read on every play

 private:
  platform::Platform& platform_;
};

}  // namespace quorel
