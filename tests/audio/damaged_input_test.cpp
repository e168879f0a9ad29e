// Randomly damaged WAVE and MIDI images: whatever the bytes, parsing and playing stay inside
// them (run under the address sanitizer to see it) and always come to an end.
#include <gtest/gtest.h>

#include <random>

#include "game/platform/test/test_platform.h"
#include "game/presentation/midi_convert.h"
#include "game/presentation/midi_stream.h"
#include "game/presentation/wave.h"
#include "tests/audio/audio_fixtures.h"

namespace quorel {
namespace {

using test::Bytes;

// Overwrites, inserts or drops a few bytes, or cuts the image short.
Bytes damaged(const Bytes& original, std::mt19937& random) {
  Bytes image = original;
  const int edits = 1 + static_cast<int>(random() % 4);
  for (int e = 0; e < edits && !image.empty(); ++e) {
    const std::size_t at = random() % image.size();
    switch (random() % 4) {
      case 0: image[at] = static_cast<std::uint8_t>(random()); break;
      case 1: image.insert(image.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(random())); break;
      case 2: image.erase(image.begin() + static_cast<std::ptrdiff_t>(at)); break;
      case 3: image.resize(at); break;
    }
  }
  return image;
}

TEST(DamagedInput, WaveImagesAreParsedWithinTheirBytes) {
  const Bytes original = test::riffWave({{"LIST", {1, 2, 3}},
                                         {"fmt ", test::formatBody(2, 16, 22050)},
                                         {"data", test::pcm16({1, 2, 3, 4, 5, 6})}});
  std::mt19937 random(1234);
  for (int i = 0; i < 5000; ++i) {
    const Bytes image = damaged(original, random);
    const std::optional<WaveImage> wave = parseWave(image);
    if (!wave) continue;
    ASSERT_GE(wave->data.data(), image.data());
    ASSERT_LE(wave->data.data() + wave->data.size(), image.data() + image.size());
  }
}

Bytes musicalTrack() {
  Bytes track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x05, 0x00, 0xFF, 0x06, 0x01, 'S'};
  for (int i = 0; i < 20; ++i) test::append(track, {0x10, 0x90, static_cast<std::uint8_t>(60 + i), 0x40, 0x10, 0x3C, 0x00});
  test::append(track, {0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xF7, 0x01, 0x00});
  test::append(track, {0x05, 0xFF, 0x06, 0x01, 'E', 0x00, 0xFF, 0x2F, 0x00});
  return track;
}

TEST(DamagedInput, TracksAreConvertedAndPlayedWithinTheirBytes) {
  const Bytes original = musicalTrack();
  std::mt19937 random(99);
  platform::TestSynth synth;
  std::vector<float> out(2 * 441);
  for (int i = 0; i < 3000; ++i) {
    const Bytes track = damaged(original, random);
    TrackConverter converter;
    converter.start(track);
    StreamBuffer buffer{};
    bool playing = true;
    bool repeat = i % 2 == 0;
    MidiStream stream(synth, 44100, [&] {
      if (!playing) return;
      const TrackConverter::Fill fill = converter.fill(buffer, repeat);
      playing = !fill.pieceEnded;
      stream.submit({buffer.data(), fill.bytesUsed});
    });
    ASSERT_TRUE(stream.setTimeDivision(96));
    const TrackConverter::Fill first = converter.fill(buffer, repeat);
    playing = !first.pieceEnded;
    stream.submit({buffer.data(), first.bytesUsed});
    stream.restart();
    for (int callback = 0; callback < 20; ++callback) stream.render(out.data(), 441);
    synth.messages.clear();
  }
}

}  // namespace
}  // namespace quorel
