#pragma once
// The MIDI music player: one format 0 Standard MIDI File, played through our own MIDI stream
// into the synthesizer, looping.
#include <string>

#include "game/platform/platform.h"

namespace quorel {

class SoundEffects;

class MusicPlayer {
 public:
  MusicPlayer(platform::Platform& platform, SoundEffects& effects);
  ~MusicPlayer();
  bool load(const std::string& path);
  bool play();
  bool loadAndPlay(const std::string& path);
  void stop();
  void close();
  void setRepeat(bool repeat);

 private:
  platform::Platform& platform_;
  SoundEffects& effects_;
};

}  // namespace quorel
