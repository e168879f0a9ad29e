#include "game/presentation/midi_stream.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "game/presentation/midi_convert.h"

namespace quorel {

namespace {

constexpr std::uint32_t kCallbackFlag = 0x40000000;
constexpr std::uint32_t kLongMessage = 0x80;
constexpr std::uint32_t kTempoChange = 0x01;
constexpr std::uint32_t kShortMessage = 0x00;

// Buffers of events that all fall due at once (a repeating piece with no time in it) would
// otherwise refill forever inside one callback; past this many the rest waits for the next one.
constexpr int kMaxBuffersPerRender = 16;

std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

double smpteFramesPerSecond(int frames) { return frames == 29 ? 29.97 : frames; }

}  // namespace

MidiStream::MidiStream(platform::MidiSynth& synth, int sampleRate, std::function<void()> bufferDone)
    : synth_(synth), sampleRate_(sampleRate), bufferDone_(std::move(bufferDone)) {}

void MidiStream::setTempo(std::uint32_t microsecondsPerQuarter) { tempo_ = microsecondsPerQuarter; }

bool MidiStream::setTimeDivision(std::uint16_t division) {
  if (division & 0x8000) {
    const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
    if (framesPerSecond <= 0 || (division & 0xFF) == 0) return false;
  } else if (division == 0) {
    return false;
  }
  division_ = division;
  return true;
}

double MidiStream::framesPerTick() const {
  if (division_ & 0x8000) {
    const int framesPerSecond = -static_cast<std::int8_t>(division_ >> 8);
    return sampleRate_ / (smpteFramesPerSecond(framesPerSecond) * (division_ & 0xFF));
  }
  return sampleRate_ * tempo_ / (1e6 * division_);
}

void MidiStream::submit(std::span<const std::uint8_t> events) {
  buffer_ = events;
  cursor_ = 0;
  queued_ = true;
}

void MidiStream::restart() { running_ = true; }

void MidiStream::stop() {
  running_ = false;
  queued_ = false;
  buffer_ = {};
  cursor_ = 0;
  renderedFrames_ = 0;
  lastEventFrame_ = 0.0;
  synth_.allNotesOff();
}

bool MidiStream::nextEvent(Event& event) const {
  const std::span<const std::uint8_t> rest = buffer_.subspan(cursor_);
  if (rest.size() < kStreamEventSize) return false;
  event.delta = readLe32(rest, 0);
  event.word = readLe32(rest, 8);
  event.size = kStreamEventSize;
  event.parameters = {};
  if (event.word & kLongEvent) {
    const std::size_t length = event.word & kEventParameterMask;
    const std::size_t padded = (length + 3) & ~std::size_t{3};
    if (rest.size() - kStreamEventSize < padded) return false;
    event.parameters = rest.subspan(kStreamEventSize, length);
    event.size += padded;
  }
  return true;
}

void MidiStream::send(const Event& event) {
  const std::uint32_t type = (event.word & ~kCallbackFlag) >> 24;
  const std::uint32_t parameter = event.word & kEventParameterMask;
  if (type == kLongMessage) {
    synth_.sysex(event.parameters);
  } else if (type == kTempoChange) {
    tempo_ = parameter;
  } else if (type == kShortMessage) {
    synth_.shortMessage(parameter);
  }
}

void MidiStream::finishBuffer() {
  queued_ = false;
  buffer_ = {};
  cursor_ = 0;
  if (bufferDone_) bufferDone_();
}

void MidiStream::render(float* out, int frames) {
  int position = 0;
  int buffersFinished = 0;
  while (running_ && queued_ && buffersFinished < kMaxBuffersPerRender) {
    Event event;
    if (!nextEvent(event)) {
      ++buffersFinished;
      finishBuffer();
      continue;
    }
    const double due = lastEventFrame_ + event.delta * framesPerTick();
    const auto dueFrame = static_cast<std::int64_t>(std::ceil(due));
    const std::int64_t offset = std::max<std::int64_t>(dueFrame - renderedFrames_, position);
    if (offset >= frames) break;
    if (offset > position) {
      synth_.render(out + 2 * position, static_cast<int>(offset) - position);
      position = static_cast<int>(offset);
    }
    lastEventFrame_ = due;
    cursor_ += event.size;
    send(event);
  }
  if (position < frames) synth_.render(out + 2 * position, frames - position);
  if (running_) renderedFrames_ += frames;
}

}  // namespace quorel
