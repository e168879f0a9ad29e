#pragma once
// The MIDI music player: one format 0 Standard MIDI File, played through our own MIDI stream
// into the synthesizer, looping.
//
// The stream's buffer-done refill runs on the audio thread inside the mixer's callback; every
// operation of the game's thread takes the same lock, so stop, close, load and play never meet
// a refill half done. The synthesizer may be made on a worker thread of its own (its soundfont
// takes a good part of a second to load); it hands the result over under the same lock.
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
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
  // Starts making the synthesizer on a worker thread, so that no play waits for its soundfont.
  // A piece played before it is ready starts once it is, from its first event.
  void prepareSynth();
  // True once a synthesizer is there to play into.
  bool synthReady() const;
  void stop();
  void close();
  void setRepeat(bool repeat);

  // Why the last load was refused, in the player's own words; empty after a load that
  // succeeded or that could not open its file.
  const std::string& lastError() const { return lastError_; }
  // True while the player keeps feeding its stream.
  bool playing() const;

 private:
  // The synthesizer the stream plays into, forwarding to the one made; empty until then.
  class SynthSlot : public platform::MidiSynth {
   public:
    void shortMessage(std::uint32_t message) override;
    void sysex(std::span<const std::uint8_t> bytes) override;
    void allNotesOff() override;
    void render(float* out, int frames) override;
    std::unique_ptr<platform::MidiSynth> synth;
  };

  void render(float* out, int frames) override;  // audio thread
  void onBufferDone();                            // audio thread, lock held
  void fillAndSubmit();                           // lock held
  void closeLocked();
  bool refuseLoad(const char* reason);
  void freeTrack();
  int streamRate() const;
  // Makes sure the stream will have a synthesizer at the rate it returns: the one there, the
  // one being made, or one made now.
  int ensureSynth();
  void takeMadeSynth(std::unique_ptr<platform::MidiSynth> made, int rate);  // worker thread

  platform::Platform& platform_;
  SoundEffects& effects_;

  mutable std::mutex mutex_;
  bool playing_ = false;
  std::atomic<bool> repeat_ = false;  // set by the scene loop after every pass, so kept lock-free
  SynthSlot synth_;
  int synthRate_ = 0;
  bool synthBeingMade_ = false;
  int synthBeingMadeRate_ = 0;
  std::thread synthMaker_;
  std::optional<MidiStream> stream_;
  StreamBuffer buffer_{};
  std::optional<std::vector<std::uint8_t>> track_;
  TrackConverter converter_;
  std::uint16_t division_ = 0;
  std::string lastError_;
};

}  // namespace quorel
