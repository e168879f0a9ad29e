#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace quorel {

// A RIFF WAVE image as the sound layer takes it: the "fmt " fields and the sample bytes.
struct WaveImage {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSecond = 0;
  std::uint16_t bitsPerSample = 0;
  std::span<const std::uint8_t> data;  // points into the image
};

// Walks the chunks of a RIFF WAVE image; empty when the image is rejected. Never reads outside
// `image`: a chunk that claims more bytes than the image holds rejects it.
std::optional<WaveImage> parseWave(std::span<const std::uint8_t> image);

}  // namespace quorel
