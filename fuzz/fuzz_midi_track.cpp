// The music's one track, converted into stream buffers and played: buffers hold whole records,
// a piece without repeat comes to an end, and a repeating piece keeps each callback finite.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/midi_checks.h"
#include "fuzz/property.h"
#include "game/platform/test/test_platform.h"
#include "game/presentation/midi_convert.h"
#include "game/presentation/midi_stream.h"

namespace quorel {
namespace {

using fuzz::requireThat;

constexpr int kRate = 44100;
constexpr int kCallbackFrames = 441;
constexpr int kCallbacks = 50;
constexpr int kRepeatingFills = 40;

std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The buffer is a run of whole records: short and tempo events of 12 bytes, long events
// followed by their bytes padded with zeros to a multiple of 4.
void checkRecords(std::span<const std::uint8_t> events) {
  std::size_t at = 0;
  while (at < events.size()) {
    requireThat(events.size() - at >= kStreamEventSize, "a buffer ends on a whole record");
    requireThat(readLe32(events, at + 4) == 0, "every record is for stream 0");
    const std::uint32_t word = readLe32(events, at + 8);
    const std::uint32_t type = word & ~kEventParameterMask;
    std::size_t size = kStreamEventSize;
    if (type == kShortEvent) {
      const std::uint32_t status = word & 0xFF;
      requireThat(status >= 0x80 && status <= 0xEF, "short events carry a channel status");
    } else if (type == kLongEvent) {
      const std::size_t length = word & kEventParameterMask;
      const std::size_t padded = (length + 3) & ~std::size_t{3};
      requireThat(events.size() - at - kStreamEventSize >= padded, "a long event's bytes are in the buffer");
      for (std::size_t i = length; i < padded; ++i) {
        requireThat(events[at + kStreamEventSize + i] == 0, "a long event is padded with zeros");
      }
      size += padded;
    } else {
      requireThat(type == kTempoEvent, "records are short, tempo or long events");
    }
    at += size;
  }
}

TrackConverter::Fill checkedFill(TrackConverter& converter, StreamBuffer& buffer, bool repeat,
                                 std::size_t trackSize) {
  const TrackConverter::Fill fill = converter.fill(buffer, repeat);
  requireThat(fill.bytesUsed <= buffer.size(), "a fill stays inside its buffer");
  // A read that ran off the end of a broken track may leave the position past it; the piece
  // has ended then and nothing is read again.
  if (!fill.pieceEnded) {
    requireThat(converter.readPosition() <= trackSize && converter.loopPosition() <= trackSize,
                "the converter's positions stay inside the track while the piece goes on");
  }
  checkRecords(std::span(buffer.data(), fill.bytesUsed));
  return fill;
}

void convertOnce(std::span<const std::uint8_t> track) {
  TrackConverter converter;
  converter.start(track);
  StreamBuffer buffer{};
  // Every buffer that does not end the piece carries at least one event, and every event
  // takes at least one byte of the track.
  for (std::size_t fills = 0;; ++fills) {
    requireThat(fills <= track.size() + 1, "a piece without repeat comes to an end");
    const TrackConverter::Fill fill = checkedFill(converter, buffer, false, track.size());
    if (fill.pieceEnded) break;
    requireThat(fill.bytesUsed > 0, "a buffer that does not end the piece carries events");
  }
}

void convertRepeating(std::span<const std::uint8_t> track) {
  TrackConverter converter;
  converter.start(track);
  StreamBuffer buffer{};
  for (int fills = 0; fills < kRepeatingFills; ++fills) {
    if (checkedFill(converter, buffer, true, track.size()).pieceEnded) break;
  }
}

// Plays the piece as the music player does, refilling from the stream's buffer-done call.
void play(std::span<const std::uint8_t> track, std::uint16_t division, bool repeat) {
  platform::TestSynth synth;
  TrackConverter converter;
  converter.start(track);
  StreamBuffer buffer{};
  bool playing = true;
  MidiStream stream(synth, kRate, [&] {
    if (!playing) return;
    const TrackConverter::Fill fill = converter.fill(buffer, repeat);
    playing = !fill.pieceEnded;
    stream.submit({buffer.data(), fill.bytesUsed});
  });
  if (!stream.setTimeDivision(division)) return;
  const TrackConverter::Fill first = converter.fill(buffer, repeat);
  playing = !first.pieceEnded;
  stream.submit({buffer.data(), first.bytesUsed});
  stream.restart();
  std::vector<float> out(2 * kCallbackFrames);
  for (int callback = 0; callback < kCallbacks; ++callback) {
    stream.render(out.data(), kCallbackFrames);
    fuzz::checkSentMessages(synth);
    synth.messages.clear();
  }
  stream.stop();
}

}  // namespace
}  // namespace quorel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto division = in.ConsumeIntegral<std::uint16_t>();
  const bool repeat = in.ConsumeBool();
  // The track is the front of the input, so a seed that is a plain track stays one.
  const std::span<const std::uint8_t> track(data, in.remaining_bytes());
  quorel::convertOnce(track);
  quorel::convertRepeating(track);
  quorel::play(track, division, repeat);
  return 0;
}
