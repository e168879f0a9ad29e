#include <gtest/gtest.h>

#include <cmath>

#include "game/presentation/effect_sound.h"
#include "game/presentation/wave.h"
#include "tests/audio/audio_fixtures.h"

namespace quorel {
namespace {

using test::Bytes;
using test::Chunk;
using test::formatBody;
using test::riffWave;

const Bytes kSamples = test::pcm16({100, -100, 2000});  // 6 bytes

struct WaveCase {
  const char* name;
  Bytes image;
  bool accepted;
};

Bytes withOddChunkFirst() {
  return riffWave({{"junk", {1, 2, 3}}, {"fmt ", formatBody(1, 16, 22050)}, {"data", kSamples}});
}

Bytes renamed(Bytes image, std::size_t at, const char* tag) {
  std::copy(tag, tag + 4, image.begin() + static_cast<std::ptrdiff_t>(at));
  return image;
}

Bytes cut(Bytes image, std::size_t size) {
  image.resize(size);
  return image;
}

// fmt (8 + 16) and data (8 + 6) after "WAVE": the data chunk starts at byte 36.
Bytes goodFile(std::optional<std::uint32_t> riffSize = {}) {
  return riffWave({{"fmt ", formatBody(1, 16, 22050)}, {"data", kSamples}}, riffSize);
}

std::vector<WaveCase> waveCases() {
  return {
      {"good file", goodFile(), true},
      {"data before fmt", riffWave({{"data", kSamples}, {"fmt ", formatBody(1, 16, 22050)}}), true},
      {"fmt longer than 16 bytes", riffWave({{"fmt ", formatBody(1, 16, 22050, 1, 18)}, {"data", kSamples}}), true},
      {"14-byte fmt", riffWave({{"fmt ", formatBody(1, 16, 22050, 1, 14)}, {"data", kSamples}}), false},
      {"odd chunk padded", withOddChunkFirst(), true},
      {"no data chunk", riffWave({{"fmt ", formatBody(1, 16, 22050)}}), false},
      {"no fmt chunk", riffWave({{"data", kSamples}}), false},
      // The walk ends before a chunk starting at or after 8 + RIFF size - 4.
      {"data starts 5 bytes before the RIFF end", goodFile(36 - 8 + 5), true},
      {"data starts 4 bytes before the RIFF end", goodFile(36 - 8 + 4), false},
      {"RIFF size covering only fmt", goodFile(4 + 24), false},
      {"RIFF size zero", goodFile(0), false},
      {"huge RIFF size, chunks intact", goodFile(0xFFFFFFFF), true},
      {"data chunk cut short", cut(goodFile(), 46), false},
      {"fmt chunk cut short", cut(goodFile(), 30), false},
      {"cut inside the RIFF header", cut(goodFile(), 10), false},
      {"empty image", {}, false},
      {"huge skipped chunk size", riffWave({{"junk", {}, 0xFFFFFFF0}, {"fmt ", formatBody(1, 16, 22050)}, {"data", kSamples}}, 0xFFFFFFFF), false},
      {"not RIFF", renamed(goodFile(), 0, "RIFX"), false},
      {"not WAVE", renamed(goodFile(), 8, "AVI "), false},
  };
}

TEST(ParseWave, AcceptsAndRejectsImagesByTheirChunks) {
  for (const WaveCase& c : waveCases()) {
    SCOPED_TRACE(c.name);
    const std::optional<WaveImage> wave = parseWave(c.image);
    ASSERT_EQ(wave.has_value(), c.accepted);
    if (!wave) continue;
    EXPECT_EQ(wave->formatTag, 1);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->samplesPerSecond, 22050u);
    EXPECT_EQ(wave->bitsPerSample, 16);
    EXPECT_EQ(Bytes(wave->data.begin(), wave->data.end()), kSamples);
  }
}

TEST(ParseWave, TakesTheFirstFmtAndDataChunks) {
  const Bytes image = riffWave({{"fmt ", formatBody(2, 8, 11025)},
                                {"data", {1, 2}},
                                {"fmt ", formatBody(1, 16, 44100)},
                                {"data", {3, 4, 5, 6}}});
  const std::optional<WaveImage> wave = parseWave(image);
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->channels, 2);
  EXPECT_EQ(wave->samplesPerSecond, 11025u);
  EXPECT_EQ(Bytes(wave->data.begin(), wave->data.end()), (Bytes{1, 2}));
}

TEST(ParseWave, PointsIntoTheImageWithoutCopying) {
  const Bytes image = goodFile();
  const std::optional<WaveImage> wave = parseWave(image);
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->data.data(), image.data() + 44);
}

// --- conversion into the stream's format ---

struct ConversionCase {
  const char* name;
  unsigned channels, bits;
  std::uint32_t rate;
  Bytes data;
  std::vector<float> expected;  // interleaved stereo at 44100
};

TEST(MakeEffectSound, ConvertsPcmToFloatStereoAtTheStreamRate) {
  const std::vector<ConversionCase> cases = {
      {"8-bit mono", 1, 8, 44100, {0x80, 0xC0, 0x00}, {0, 0, 0.5f, 0.5f, -1, -1}},
      {"16-bit mono", 1, 16, 44100, test::pcm16({16384, -32768}), {0.5f, 0.5f, -1, -1}},
      {"8-bit stereo", 2, 8, 44100, {0xC0, 0x40}, {0.5f, -0.5f}},
      {"16-bit stereo", 2, 16, 44100, test::pcm16({16384, -8192, 0, 8192}), {0.5f, -0.25f, 0, 0.25f}},
      {"trailing partial frame dropped", 2, 16, 44100, test::pcm16({16384, -8192, 100}), {0.5f, -0.25f}},
      // Half the rate: every second frame is the midpoint of its neighbours.
      {"22050 Hz mono, linear", 1, 16, 22050, test::pcm16({0, 16384, -16384}),
       {0, 0, 0.25f, 0.25f, 0.5f, 0.5f, 0, 0, -0.5f, -0.5f, -0.5f, -0.5f}},
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes image = riffWave({{"fmt ", formatBody(c.channels, c.bits, c.rate)}, {"data", c.data}});
    const std::optional<WaveImage> wave = parseWave(image);
    ASSERT_TRUE(wave);
    const auto sound = makeEffectSound(*wave, 44100);
    ASSERT_TRUE(sound);
    ASSERT_EQ(sound->samples.size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_NEAR(sound->samples[i], c.expected[i], 1e-6) << i;
  }
}

TEST(MakeEffectSound, DownsamplesToTheStreamLength) {
  Bytes data;
  for (int i = 0; i < 4800; ++i) test::putLe16(data, 1000);
  const Bytes image = riffWave({{"fmt ", formatBody(1, 16, 48000)}, {"data", data}});
  const auto sound = makeEffectSound(*parseWave(image), 44100);
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->frames(), 4410u);
}

TEST(MakeEffectSound, RefusesFormatsASoundBufferCannotPlay) {
  struct Refused {
    const char* name;
    Bytes format;
  };
  const std::vector<Refused> cases = {
      {"float format", formatBody(1, 32, 44100, 3)},
      {"24-bit PCM", formatBody(1, 24, 44100)},
      {"three channels", formatBody(3, 16, 44100)},
      {"no channels", formatBody(0, 16, 44100)},
      {"rate zero", formatBody(1, 16, 0)},
      {"rate far too high", formatBody(1, 16, 10'000'000)},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes image = riffWave({{"fmt ", c.format}, {"data", kSamples}});
    const std::optional<WaveImage> wave = parseWave(image);
    ASSERT_TRUE(wave);
    EXPECT_FALSE(makeEffectSound(*wave, 44100));
  }
}

}  // namespace
}  // namespace quorel
