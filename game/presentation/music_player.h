#pragma once
// The MIDI music player: one format 0 Standard MIDI File, played through our own MIDI stream
// into the synthesizer, looping.
//
// The stream's buffer-done refill runs on the audio thread inside the mixer's callback; every
// operation of the game's thread takes the same lock, so stop, close, load and play never meet
// a refill half done.
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "game/platform/platform.h"
#include "game/presentation/midi_convert.h"
#include "game/presentation/midi_stream.h"

namespace quorel {

class SoundEffects;

class MusicPlayer : private platform::AudioSource {
 public:
  MusicPlayer(platform::Platform& platform, SoundEffects& effects);
  ~MusicPlayer() override;
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Reads the file's one track into memory (closing any open stream first).
  bool load(const std::string& path);
  // Starts the loaded track from its beginning.
  bool play();
  bool loadAndPlay(const std::string& path);
  void stop();
  void close();
  void setRepeat(bool repeat);

  // Why the last load was refused, in the player's own words; empty after a load that
  // succeeded or that could not open its file.
  const std::string& lastError() const { return lastError_; }
  // True while the player keeps feeding its stream.
  bool playing() const;

 private:
  void render(float* out, int frames) override;  // audio thread
  void onBufferDone();                            // audio thread, lock held
  void fillAndSubmit();                           // lock held
  void closeLocked();
  bool refuseLoad(const char* reason);
  void freeTrack();
  void ensureSynth();

  platform::Platform& platform_;
  SoundEffects& effects_;

  mutable std::mutex mutex_;
  bool playing_ = false;
  std::atomic<bool> repeat_ = false;  // set by the scene loop after every pass, so kept lock-free
  std::unique_ptr<platform::MidiSynth> synth_;
  int synthRate_ = 0;
  std::optional<MidiStream> stream_;
  StreamBuffer buffer_{};
  std::optional<std::vector<std::uint8_t>> track_;
  TrackConverter converter_;
  std::uint16_t division_ = 0;
  std::string lastError_;
};

}  // namespace quorel
