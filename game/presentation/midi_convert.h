#pragma once
// Converts a format 0 track, incrementally, into buffers of stream events: MIDIEVENT records of
// delta time, stream identifier 0 and event word (all 32-bit little-endian), long events
// followed by their parameter bytes padded with zeros to a multiple of 4.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace quorel {

inline constexpr std::size_t kStreamBufferSize = 1000;
inline constexpr std::size_t kStreamEventSize = 12;  // delta, stream identifier, event word

inline constexpr std::uint32_t kShortEvent = 0x00000000;
inline constexpr std::uint32_t kTempoEvent = 0x01000000;
inline constexpr std::uint32_t kLongEvent = 0x80000000;
inline constexpr std::uint32_t kEventParameterMask = 0x00FFFFFF;

using StreamBuffer = std::array<std::uint8_t, kStreamBufferSize>;

class TrackConverter {
 public:
  // Starts at the top of `track` (which must outlive the converter's use): running status 0x80,
  // the first delta time pending, the loop position at the first event.
  void start(std::span<const std::uint8_t> track);

  struct Fill {
    std::size_t bytesUsed = 0;
    bool pieceEnded = false;  // end of track without repeat, an unsupported status or broken data
  };
  // Converts events into `buffer` until it is full, the track loops or the piece ends.
  Fill fill(StreamBuffer& buffer, bool repeat);

  std::size_t readPosition() const { return read_; }
  std::size_t loopPosition() const { return loop_; }
  std::uint32_t pendingTime() const { return pending_; }
  std::uint8_t runningStatus() const { return runningStatus_; }

 private:
  enum class Outcome { Written, Skipped, BufferFull, Looped, Ended };

  Outcome convertEvent(StreamBuffer& buffer, std::size_t& used, std::size_t& at, bool repeat);
  Outcome channelMessage(StreamBuffer& buffer, std::size_t& used, std::size_t& at, std::uint8_t status);
  Outcome systemExclusive(StreamBuffer& buffer, std::size_t& used, std::size_t& at, std::uint8_t status);
  Outcome metaEvent(StreamBuffer& buffer, std::size_t& used, std::size_t& at, bool repeat);
  // Reads past the end of the track: the piece ends here and stays ended.
  Outcome brokenTrack();

  std::optional<std::uint8_t> byteAt(std::size_t at) const;
  std::optional<std::uint32_t> readVariableLength(std::size_t& at) const;

  std::span<const std::uint8_t> track_;
  std::size_t read_ = 0;
  std::size_t loop_ = 0;
  std::uint8_t runningStatus_ = 0x80;
  std::uint32_t pending_ = 0;
  bool broken_ = false;
};

}  // namespace quorel
