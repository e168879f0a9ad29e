#pragma once
// Writing 16-bit PCM RIFF WAVE files, for the tools that make or render sound.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorel {

// The bytes of a WAVE file: 16-bit PCM, `channels` interleaved in `samples`.
std::vector<std::uint8_t> waveFileBytes(int channels, int sampleRate, std::span<const std::int16_t> samples);

// Writes the WAVE file, replacing any file at `path` safely. False when it cannot be written.
bool writeWaveFile(const std::string& path, int channels, int sampleRate, std::span<const std::int16_t> samples);

}  // namespace quorel
