#include "common/wave_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "game/presentation/wave.h"
#include "tests/common/stage_fixtures.h"

namespace quorel {
namespace {

// What the tools write, the game's own reader takes back unchanged.
TEST(WaveFile, TheGamesReaderTakesBackWhatIsWritten) {
  const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768, 1234, -4321, 7};
  for (const int channels : {1, 2}) {
    SCOPED_TRACE(channels);
    const std::vector<std::uint8_t> bytes = waveFileBytes(channels, 22050, samples);
    EXPECT_EQ(bytes.size(), 44u + 2 * samples.size());
    const auto wave = parseWave(bytes);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->formatTag, 1);
    EXPECT_EQ(wave->channels, channels);
    EXPECT_EQ(wave->samplesPerSecond, 22050u);
    EXPECT_EQ(wave->bitsPerSample, 16);
    ASSERT_EQ(wave->data.size(), 2 * samples.size());
    std::vector<std::int16_t> back(samples.size());
    std::memcpy(back.data(), wave->data.data(), wave->data.size());  // little-endian, as written
    EXPECT_EQ(back, samples);
  }
}

TEST(WaveFile, AFileThatCannotBeWrittenIsReported) {
  test::ScratchFolder folder;
  const std::vector<std::int16_t> samples(100, 5);
  EXPECT_TRUE(writeWaveFile(folder.file("a.wav"), 1, 44100, samples));
  EXPECT_EQ(test::fileBytes(folder.file("a.wav")).size(), 244u);
  EXPECT_FALSE(writeWaveFile(folder.file("missing/a.wav"), 1, 44100, samples));
}

}  // namespace
}  // namespace quorel
