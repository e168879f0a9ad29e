#include "common/wave_file.h"

#include <string_view>

#include "common/safe_file.h"

namespace quorel {

namespace {

constexpr int kBytesPerSample = 2;
constexpr std::uint32_t kFmtBytes = 16;
constexpr std::uint16_t kPcm = 1;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

}  // namespace

std::vector<std::uint8_t> waveFileBytes(int channels, int sampleRate, std::span<const std::int16_t> samples) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
  const auto blockAlign = static_cast<std::uint32_t>(channels * kBytesPerSample);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  putTag(out, "RIFF");
  put32(out, 4 + 8 + kFmtBytes + 8 + dataBytes);
  putTag(out, "WAVEfmt ");
  put32(out, kFmtBytes);
  put16(out, kPcm);
  put16(out, static_cast<std::uint32_t>(channels));
  put32(out, static_cast<std::uint32_t>(sampleRate));
  put32(out, static_cast<std::uint32_t>(sampleRate) * blockAlign);
  put16(out, blockAlign);
  put16(out, 8 * kBytesPerSample);
  putTag(out, "data");
  put32(out, dataBytes);
  for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
  return out;
}

bool writeWaveFile(const std::string& path, int channels, int sampleRate, std::span<const std::int16_t> samples) {
  const std::vector<std::uint8_t> bytes = waveFileBytes(channels, sampleRate, samples);
  return replaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace quorel
