#pragma once
// A MIDI stream of our own: plays one submitted buffer of stream events (see midi_convert.h) at
// the sample times their delta ticks give under the current tempo and the time division, into a
// synthesizer, inside the audio callback. Not thread-safe by itself: its owner serialises calls.
#include <cstdint>
#include <functional>
#include <span>

#include "game/platform/platform.h"

namespace quorel {

class MidiStream {
 public:
  static constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note

  // `bufferDone` runs inside render, once a submitted buffer's last event has been sent; it may
  // submit the next buffer.
  MidiStream(platform::MidiSynth& synth, int sampleRate, std::function<void()> bufferDone);

  void setTempo(std::uint32_t microsecondsPerQuarter);
  // Ticks per quarter note, or an SMPTE division (high byte negative frames per second, low
  // byte ticks per frame). False for a division that gives no time base.
  bool setTimeDivision(std::uint16_t division);
  // Queues the recorded bytes of one buffer; they must stay valid until it is done.
  void submit(std::span<const std::uint8_t> events);
  // Starts playing from the stream's current position.
  void restart();
  // Drops the queued buffer, silences sounding notes and goes back to the start of the stream.
  void stop();

  // Renders `frames` stereo frames into `out` (adding), sending each event at its frame.
  void render(float* out, int frames);

  std::uint32_t tempo() const { return tempo_; }

 private:
  struct Event {
    std::uint32_t delta = 0;
    std::uint32_t word = 0;
    std::span<const std::uint8_t> parameters;
    std::size_t size = 0;  // bytes of the record
  };

  bool nextEvent(Event& event) const;
  void send(const Event& event);
  double framesPerTick() const;
  void finishBuffer();

  platform::MidiSynth& synth_;
  double sampleRate_;
  std::function<void()> bufferDone_;
  std::uint32_t tempo_ = kDefaultTempo;
  std::uint16_t division_ = 0;
  bool running_ = false;
  bool queued_ = false;
  std::span<const std::uint8_t> buffer_;
  std::size_t cursor_ = 0;
  std::int64_t renderedFrames_ = 0;  // since the stream started
  double lastEventFrame_ = 0.0;      // when the previous event was due, in frames
};

}  // namespace quorel
