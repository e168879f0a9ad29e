#include "game/presentation/midi_convert.h"

#include <algorithm>

namespace quorel {

namespace {

constexpr std::uint8_t kSystemExclusive = 0xF0;
constexpr std::uint8_t kSystemExclusiveContinuation = 0xF7;
constexpr std::uint8_t kMetaEvent = 0xFF;
constexpr std::uint8_t kMetaMarker = 0x06;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kMetaTempo = 0x51;
constexpr std::size_t kTempoBytes = 3;
constexpr int kMaxVariableLengthBytes = 4;

void putLe32(StreamBuffer& buffer, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) buffer[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void writeHeader(StreamBuffer& buffer, std::size_t at, std::uint32_t delta, std::uint32_t word) {
  putLe32(buffer, at, delta);
  putLe32(buffer, at + 4, 0);  // stream identifier
  putLe32(buffer, at + 8, word);
}

bool fits(std::size_t used, std::uint64_t recordSize) { return used + recordSize < kStreamBufferSize; }

bool takesOneDataByte(std::uint8_t status) { return status >= 0xC0 && status <= 0xDF; }

std::uint64_t roundUpTo4(std::uint64_t n) { return (n + 3) & ~std::uint64_t{3}; }

}  // namespace

std::optional<std::uint8_t> TrackConverter::byteAt(std::size_t at) const {
  if (at >= track_.size()) return std::nullopt;
  return track_[at];
}

std::optional<std::uint32_t> TrackConverter::readVariableLength(std::size_t& at) const {
  std::uint32_t value = 0;
  for (int i = 0; i < kMaxVariableLengthBytes; ++i) {
    const std::optional<std::uint8_t> byte = byteAt(at++);
    if (!byte) return std::nullopt;
    value = (value << 7) | (*byte & 0x7Fu);
    if (!(*byte & 0x80)) break;
  }
  return value;
}

void TrackConverter::start(std::span<const std::uint8_t> track) {
  track_ = track;
  runningStatus_ = 0x80;
  pending_ = 0;
  broken_ = false;
  std::size_t at = 0;
  const std::optional<std::uint32_t> firstDelta = readVariableLength(at);
  if (firstDelta) pending_ = *firstDelta;
  broken_ = !firstDelta;
  read_ = at;
  loop_ = read_;
}

TrackConverter::Fill TrackConverter::fill(StreamBuffer& buffer, bool repeat) {
  Fill result;
  while (!broken_) {
    std::size_t at = read_;
    const Outcome outcome = convertEvent(buffer, result.bytesUsed, at, repeat);
    if (outcome == Outcome::BufferFull || outcome == Outcome::Looped) return result;
    if (outcome == Outcome::Ended) break;
    if (outcome == Outcome::Written) pending_ = 0;
    const std::optional<std::uint32_t> delta = readVariableLength(at);
    broken_ = !delta;
    read_ = at;
    if (delta) pending_ += *delta;
  }
  result.pieceEnded = true;
  return result;
}

TrackConverter::Outcome TrackConverter::convertEvent(StreamBuffer& buffer, std::size_t& used, std::size_t& at,
                                                     bool repeat) {
  const std::optional<std::uint8_t> status = byteAt(at);
  if (!status) return brokenTrack();
  if (*status < 0x80) return channelMessage(buffer, used, at, runningStatus_);
  ++at;
  if (*status <= 0xEF) return channelMessage(buffer, used, at, *status);
  if (*status == kSystemExclusive || *status == kSystemExclusiveContinuation) {
    return systemExclusive(buffer, used, at, *status);
  }
  if (*status == kMetaEvent) return metaEvent(buffer, used, at, repeat);
  return Outcome::Ended;  // a status a stream cannot carry ends the piece
}

TrackConverter::Outcome TrackConverter::channelMessage(StreamBuffer& buffer, std::size_t& used, std::size_t& at,
                                                       std::uint8_t status) {
  const std::optional<std::uint8_t> data1 = byteAt(at++);
  std::optional<std::uint8_t> data2 = 0;
  if (!takesOneDataByte(status)) data2 = byteAt(at++);
  if (!data1 || !data2) return brokenTrack();
  if (!fits(used, kStreamEventSize)) return Outcome::BufferFull;
  writeHeader(buffer, used, pending_, status | static_cast<std::uint32_t>(*data1) << 8 | static_cast<std::uint32_t>(*data2) << 16);
  used += kStreamEventSize;
  runningStatus_ = status;
  return Outcome::Written;
}

TrackConverter::Outcome TrackConverter::systemExclusive(StreamBuffer& buffer, std::size_t& used, std::size_t& at,
                                                        std::uint8_t status) {
  const std::optional<std::uint32_t> length = readVariableLength(at);
  if (!length || at + std::uint64_t{*length} > track_.size()) return brokenTrack();
  const bool withStatus = status == kSystemExclusive;
  const std::uint32_t messageLength = *length + (withStatus ? 1 : 0);
  const std::uint64_t padded = roundUpTo4(messageLength);
  const auto body = track_.subspan(at, *length);
  at += *length;
  // Too long for even an empty buffer: it could never be sent, so the piece goes on without it.
  if (!fits(0, kStreamEventSize + padded)) return Outcome::Skipped;
  if (!fits(used, kStreamEventSize + padded)) return Outcome::BufferFull;
  writeHeader(buffer, used, pending_, kLongEvent + messageLength);
  std::size_t out = used + kStreamEventSize;
  if (withStatus) buffer[out++] = kSystemExclusive;
  out = static_cast<std::size_t>(std::copy(body.begin(), body.end(), buffer.begin() + static_cast<std::ptrdiff_t>(out)) - buffer.begin());
  const std::size_t end = used + kStreamEventSize + static_cast<std::size_t>(padded);
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(out), buffer.begin() + static_cast<std::ptrdiff_t>(end), 0);
  used = end;
  return Outcome::Written;
}

TrackConverter::Outcome TrackConverter::metaEvent(StreamBuffer& buffer, std::size_t& used, std::size_t& at,
                                                  bool repeat) {
  const std::optional<std::uint8_t> type = byteAt(at++);
  if (!type) return brokenTrack();
  const std::optional<std::uint32_t> length = readVariableLength(at);
  if (!length || at + std::uint64_t{*length} > track_.size()) return brokenTrack();
  const auto body = track_.subspan(at, *length);
  at += *length;

  if (*type == kMetaTempo && body.size() >= kTempoBytes) {
    if (!fits(used, kStreamEventSize)) return Outcome::BufferFull;
    const std::uint32_t tempo = static_cast<std::uint32_t>(body[0]) << 16 | static_cast<std::uint32_t>(body[1]) << 8 | body[2];
    writeHeader(buffer, used, pending_, kTempoEvent + tempo);
    used += kStreamEventSize;
    return Outcome::Written;
  }
  if (*type == kMetaEndOfTrack) {
    if (!repeat) return Outcome::Ended;
    read_ = loop_;
    return Outcome::Looped;
  }
  if (*type == kMetaMarker && body.size() == 1) {
    if (body[0] == 'S') loop_ = read_;
    if (body[0] == 'E' && repeat) {
      read_ = loop_;
      return Outcome::Looped;
    }
  }
  return Outcome::Skipped;
}

TrackConverter::Outcome TrackConverter::brokenTrack() {
  broken_ = true;
  return Outcome::Ended;
}

}  // namespace quorel
