#pragma once
// Small builders for the byte images the audio tests feed in: RIFF WAVE files and format 0
// MIDI files, and a temporary working folder for effects looked up as files.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace quorel::test {

using Bytes = std::vector<std::uint8_t>;

inline void putLe16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void putLe32(Bytes& b, std::uint32_t v) {
  putLe16(b, v & 0xFFFF);
  putLe16(b, v >> 16);
}
inline void putBe32(Bytes& b, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}
inline void putBe16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v >> 8));
  b.push_back(static_cast<std::uint8_t>(v));
}
inline void append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }
inline void appendText(Bytes& b, const std::string& text) { b.insert(b.end(), text.begin(), text.end()); }

struct Chunk {
  std::string id;
  Bytes body;
  std::uint32_t declaredSize = 0xFFFFFFFF;  // the body's own size unless given
};

inline Bytes formatBody(unsigned channels, unsigned bits, std::uint32_t rate, unsigned tag = 1, std::size_t size = 16) {
  Bytes b;
  putLe16(b, tag);
  putLe16(b, channels);
  putLe32(b, rate);
  putLe32(b, rate * channels * bits / 8);
  putLe16(b, channels * bits / 8);
  putLe16(b, bits);
  b.resize(size, 0);
  return b;
}

// A RIFF WAVE image of the chunks in order, odd bodies followed by a pad byte. The RIFF size
// is the true one unless given.
inline Bytes riffWave(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riffSize = {}) {
  Bytes inner;
  appendText(inner, "WAVE");
  for (const Chunk& c : chunks) {
    appendText(inner, c.id);
    putLe32(inner, c.declaredSize != 0xFFFFFFFF ? c.declaredSize : static_cast<std::uint32_t>(c.body.size()));
    append(inner, c.body);
    if (c.body.size() % 2) inner.push_back(0);
  }
  Bytes file;
  appendText(file, "RIFF");
  putLe32(file, riffSize.value_or(static_cast<std::uint32_t>(inner.size())));
  append(file, inner);
  return file;
}

// 16-bit mono samples.
inline Bytes pcm16(std::initializer_list<int> samples) {
  Bytes b;
  for (int s : samples) putLe16(b, static_cast<unsigned>(s) & 0xFFFF);
  return b;
}

// A 16-bit mono file at `rate` holding `frames` copies of `value`.
inline Bytes constantWave(int value, std::size_t frames, std::uint32_t rate = 44100) {
  Bytes data;
  for (std::size_t i = 0; i < frames; ++i) putLe16(data, static_cast<unsigned>(value) & 0xFFFF);
  return riffWave({{"fmt ", formatBody(1, 16, rate)}, {"data", data}});
}

// A format 0 Standard MIDI File with one track.
inline Bytes midiFile(std::uint16_t division, const Bytes& track, unsigned format = 0, unsigned tracks = 1) {
  Bytes b;
  appendText(b, "MThd");
  putBe32(b, 6);
  putBe16(b, format);
  putBe16(b, tracks);
  putBe16(b, division);
  appendText(b, "MTrk");
  putBe32(b, static_cast<std::uint32_t>(track.size()));
  append(b, track);
  return b;
}

// A variable-length quantity as a track writes it.
inline Bytes vlq(std::uint32_t value) {
  Bytes b{static_cast<std::uint8_t>(value & 0x7F)};
  while (value >>= 7) b.insert(b.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  return b;
}

inline void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder that is the working folder while the object lives.
class TempWorkingFolder {
 public:
  TempWorkingFolder() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorel-audio-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~TempWorkingFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempWorkingFolder(const TempWorkingFolder&) = delete;
  TempWorkingFolder& operator=(const TempWorkingFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace quorel::test
