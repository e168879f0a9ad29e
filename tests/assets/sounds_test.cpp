// The twelve sound effects as the game embeds them: each must be a wave image the sound layer
// accepts, of a length that suits what plays it, as loud as the others, without clipping, clicks
// or offset.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/presentation/wave.h"
#include "game/resources/resources.h"

namespace {

struct EffectCase {
  const char* name;
  double minSeconds;
  double maxSeconds;
};

// The fast repeaters (a held key replays "tcmove", "sdw" and "sup" every pass, every push plays
// "move") must be over before the next one starts; "next" covers the stage-clear pause; "attend"
// must end before the intro's next flash; "logo" rings under the logo's last second and a half.
const EffectCase kEffects[] = {
    {"ATTEND", 0.2, 0.9},  {"CLEAR", 0.3, 1.2}, {"DEL", 0.1, 0.6},     {"HIT", 0.1, 0.5},
    {"LOGO", 1.0, 2.5},    {"MOVE", 0.05, 0.2}, {"NEXT", 1.5, 2.5},    {"SDW", 0.04, 0.2},
    {"SUP", 0.04, 0.2},    {"SWITCH", 0.02, 0.2}, {"TCMOVE", 0.02, 0.1}, {"TCMOVE2", 0.02, 0.1},
};

std::vector<double> monoSamples(const quorel::WaveImage& wave) {
  std::vector<double> out;
  const std::size_t frameBytes = 2u * wave.channels;
  for (std::size_t at = 0; at + frameBytes <= wave.data.size(); at += frameBytes) {
    const auto s = static_cast<std::int16_t>(wave.data[at] | wave.data[at + 1] << 8);
    out.push_back(s / 32768.0);  // first channel: the effects are written mono
  }
  return out;
}

double peakOf(const std::vector<double>& s, std::size_t from, std::size_t to) {
  double peak = 0.0;
  for (std::size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::abs(s[i]));
  return peak;
}

TEST(SoundEffects, EveryEffectIsAWaveTheSoundLayerPlays) {
  for (const EffectCase& effect : kEffects) {
    SCOPED_TRACE(effect.name);
    const auto image = quorel::resources::find("WAVE", effect.name);
    ASSERT_FALSE(image.empty()) << "not embedded";
    const auto wave = quorel::parseWave(image);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->formatTag, 1) << "PCM";
    EXPECT_EQ(wave->bitsPerSample, 16);
    EXPECT_TRUE(wave->samplesPerSecond == 22050 || wave->samplesPerSecond == 44100);
    EXPECT_TRUE(wave->channels == 1 || wave->channels == 2);
    ASSERT_FALSE(wave->data.empty());
    EXPECT_EQ(wave->data.size() % (2u * wave->channels), 0u) << "a partial sample frame";

    const double seconds = static_cast<double>(wave->data.size() / (2u * wave->channels)) / wave->samplesPerSecond;
    EXPECT_GE(seconds, effect.minSeconds);
    EXPECT_LE(seconds, effect.maxSeconds);
  }
}

TEST(SoundEffects, LeaveHeadroomAndStartAndEndWithoutClicksOrOffset) {
  for (const EffectCase& effect : kEffects) {
    SCOPED_TRACE(effect.name);
    const auto wave = quorel::parseWave(quorel::resources::find("WAVE", effect.name));
    ASSERT_TRUE(wave.has_value());
    const std::vector<double> s = monoSamples(*wave);
    ASSERT_GT(s.size(), 100u);

    // Eight voices add up in the mixer; a sound at full swing on its own would leave none.
    EXPECT_LT(20.0 * std::log10(peakOf(s, 0, s.size())), -1.0);

    // A sound that starts or stops at full swing clicks: the first and last half millisecond
    // must be close to silence, the very first and last samples silent.
    const std::size_t edge = wave->samplesPerSecond / 2000;
    EXPECT_LT(std::abs(s.front()), 0.002);
    EXPECT_LT(std::abs(s.back()), 0.002);
    EXPECT_LT(peakOf(s, 0, edge), 0.12) << "abrupt start";
    EXPECT_LT(peakOf(s, s.size() - edge, s.size()), 0.12) << "abrupt end";

    double sum = 0.0;
    for (double x : s) sum += x;
    EXPECT_LT(std::abs(sum / static_cast<double>(s.size())), 0.002) << "DC offset";
  }
}

// Loudness as the ear takes a short sound: the RMS level of its active part, from its first to
// its last sample at or above -50 dBFS, so that a sound's quiet tail does not count against it.
double activeLoudnessDbfs(const std::vector<double>& s) {
  const double threshold = std::pow(10.0, -50.0 / 20.0);
  std::size_t first = s.size(), last = 0;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (std::abs(s[i]) >= threshold) first = std::min(first, i), last = i;
  if (first > last) return -200.0;
  double sum = 0.0;
  for (std::size_t i = first; i <= last; ++i) sum += s[i] * s[i];
  return 10.0 * std::log10(sum / static_cast<double>(last - first + 1));
}

// A player hears the cursor blips over and over beside the pushes and the fanfares: none may
// stand out, so every effect lies within 3 dB of every other.
TEST(SoundEffects, AreEquallyLoud) {
  double loudest = -200.0, softest = 0.0;
  std::string levels;
  for (const EffectCase& effect : kEffects) {
    const auto wave = quorel::parseWave(quorel::resources::find("WAVE", effect.name));
    ASSERT_TRUE(wave.has_value()) << effect.name;
    const double level = activeLoudnessDbfs(monoSamples(*wave));
    EXPECT_GT(level, -30.0) << effect.name << " is barely audible";
    loudest = std::max(loudest, level);
    softest = std::min(softest, level);
    levels += std::string(" ") + effect.name + " " + std::to_string(level);
  }
  EXPECT_LE(loudest - softest, 3.0) << "active RMS in dBFS:" << levels;
}

// The step blips tell direction by pitch: "sdw" must fall, "sup" rise. Counting zero crossings
// in the first and last quarter tells which way the pitch went.
TEST(SoundEffects, StepDownFallsAndStepUpRises) {
  auto crossings = [](const std::vector<double>& s, std::size_t from, std::size_t to) {
    int count = 0;
    for (std::size_t i = from + 1; i < to; ++i) count += (s[i - 1] < 0.0) != (s[i] < 0.0);
    return count;
  };
  for (const auto& [name, falls] : {std::pair{"SDW", true}, std::pair{"SUP", false}}) {
    SCOPED_TRACE(name);
    const auto wave = quorel::parseWave(quorel::resources::find("WAVE", name));
    ASSERT_TRUE(wave.has_value());
    const std::vector<double> s = monoSamples(*wave);
    const int early = crossings(s, 0, s.size() / 4);
    const int late = crossings(s, s.size() * 3 / 4, s.size());
    if (falls) EXPECT_GT(early, late * 3 / 2);
    else EXPECT_GT(late, early * 3 / 2);
  }
}

}  // namespace
