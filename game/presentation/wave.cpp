#include "game/presentation/wave.h"

#include <algorithm>
#include <string_view>

namespace quorel {

namespace {

constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kMinimumFormatSize = 16;

std::uint16_t readLe16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool hasTag(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view tag) {
  return std::equal(tag.begin(), tag.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                    [](char t, std::uint8_t b) { return static_cast<std::uint8_t>(t) == b; });
}

void readFormat(std::span<const std::uint8_t> fmt, WaveImage& wave) {
  wave.formatTag = readLe16(fmt, 0);
  wave.channels = readLe16(fmt, 2);
  wave.samplesPerSecond = readLe32(fmt, 4);
  wave.bitsPerSample = readLe16(fmt, 14);
}

}  // namespace

std::optional<WaveImage> parseWave(std::span<const std::uint8_t> image) {
  if (image.size() < 12 || !hasTag(image, 0, "RIFF") || !hasTag(image, 8, "WAVE")) return std::nullopt;
  // The walk is bounded by the RIFF size the file claims, not by the image: a chunk that starts
  // within four bytes of the declared end is never looked at.
  const std::uint64_t walkEnd = std::uint64_t{8} + readLe32(image, 4) - 4;

  WaveImage wave;
  bool haveFormat = false;
  bool haveData = false;
  std::uint64_t at = 12;
  while (at < walkEnd) {
    if (at + kChunkHeaderSize > image.size()) return std::nullopt;
    const auto chunk = static_cast<std::size_t>(at);
    const std::uint32_t size = readLe32(image, chunk + 4);
    const std::uint64_t body = at + kChunkHeaderSize;
    const bool bodyInImage = body + size <= image.size();
    if (!haveFormat && hasTag(image, chunk, "fmt ")) {
      if (size < kMinimumFormatSize || !bodyInImage) return std::nullopt;
      readFormat(image.subspan(static_cast<std::size_t>(body), size), wave);
      haveFormat = true;
    } else if (!haveData && hasTag(image, chunk, "data")) {
      if (!bodyInImage) return std::nullopt;
      wave.data = image.subspan(static_cast<std::size_t>(body), size);
      haveData = true;
    }
    if (haveFormat && haveData) return wave;
    at = body + size + (size & 1u);
  }
  return std::nullopt;
}

}  // namespace quorel
