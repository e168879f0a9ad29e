// Stand-ins until the mixer and the music player are built.
#include "game/presentation/music_player.h"
#include "game/presentation/sound_effects.h"

namespace quorel {

SoundEffects::SoundEffects(platform::Platform& platform) : platform_(platform) {}
SoundEffects::~SoundEffects() = default;
bool SoundEffects::startUp() { return true; }
void SoundEffects::play(std::string_view, int) {
  if (effectsOn && beepMode) platform_.dialogs().beep();
}

MusicPlayer::MusicPlayer(platform::Platform& platform, SoundEffects& effects) : platform_(platform), effects_(effects) {}
MusicPlayer::~MusicPlayer() = default;
bool MusicPlayer::load(const std::string&) { return false; }
bool MusicPlayer::play() { return false; }
bool MusicPlayer::loadAndPlay(const std::string& path) { return load(path) && play(); }
void MusicPlayer::stop() {}
void MusicPlayer::close() {}
void MusicPlayer::setRepeat(bool) {}

}  // namespace quorel
