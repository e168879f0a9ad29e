#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "game/platform/test/test_platform.h"
#include "game/presentation/beep_tone.h"
#include "game/presentation/sound_effects.h"
#include "tests/audio/audio_fixtures.h"
#include "tests/support/fifo.h"

namespace quorel {
namespace {

using Busy = std::array<bool, AudioMixer::kVoices>;

float level(int value) { return static_cast<float>(value) / 32768.0f; }

class SoundEffectsTest : public ::testing::Test {
 protected:
  SoundEffectsTest() { EXPECT_TRUE(effects.startUp()); }

  // Effect files in the working folder, each a constant level so that mixes can be read off.
  void writeEffect(const std::string& name, int value, std::size_t frames) {
    test::writeFile(folder.path() / name, test::constantWave(value, frames));
  }
  std::vector<float> pull(int frames) { return platform.audioImpl.pull(frames); }

  test::TempWorkingFolder folder;
  platform::TestPlatform platform;
  SoundEffects effects{platform};
};

TEST_F(SoundEffectsTest, StartUpFailsWithoutAnAudioDevice) {
  platform::TestPlatform noDevice;
  noDevice.audioImpl.openSucceeds = false;
  SoundEffects silent(noDevice);
  EXPECT_FALSE(silent.startUp());
}

TEST_F(SoundEffectsTest, TheNinthEffectDisplacesARandomVoiceWhichStillPlaysToItsEnd) {
  // Effects 1..8 last 1000 frames, the ninth 500; effect k plays at level 256 k.
  for (int k = 1; k <= 9; ++k) writeEffect("E" + std::to_string(k), 256 * k, k == 9 ? 500 : 1000);
  int randomCalls = 0;
  effects.randomSource = [&] {
    ++randomCalls;
    return 8u * 1000 + 3;  // taken modulo 8: voice 3
  };
  for (int k = 1; k <= 9; ++k) effects.play("e" + std::to_string(k), 0);
  EXPECT_EQ(randomCalls, 1);
  EXPECT_EQ(effects.mixer().displacedPlaying(), 1);

  // All nine sound together: the displaced fourth effect is still in the mix.
  const std::vector<float> together = pull(500);
  EXPECT_NEAR(together[0], level(256 * 45), 1e-6);
  EXPECT_NEAR(together[999], level(256 * 45), 1e-6);
  // The ninth has ended in voice 3; the eight others, the displaced one among them, play on.
  EXPECT_EQ(effects.mixer().busyVoices(), (Busy{true, true, true, false, true, true, true, true}));
  const std::vector<float> rest = pull(600);
  EXPECT_NEAR(rest[0], level(256 * 36), 1e-6);
  EXPECT_NEAR(rest[2 * 499], level(256 * 36), 1e-6);
  EXPECT_EQ(rest[2 * 500], 0.0f);
  EXPECT_EQ(effects.mixer().displacedPlaying(), 0);
}

TEST_F(SoundEffectsTest, AScanEmptiesFinishedVoicesAndTakesTheFirstVoiceFoundEmpty) {
  writeEffect("SHORT", 1000, 10);
  writeEffect("LONG", 1000, 10000);
  int randomCalls = 0;
  effects.randomSource = [&] {
    ++randomCalls;
    return 6u;
  };

  // A finished voice is emptied and passed over, so the next voice is taken.
  effects.play("short", 0);
  pull(20);
  effects.play("long", 0);
  EXPECT_EQ(effects.mixer().busyVoices(), (Busy{false, true, false, false, false, false, false, false}));

  // Voices 0 and 2 to 7 hold effects that have ended, voice 1 a long one still playing.
  for (int i = 0; i < 7; ++i) effects.play("short", 0);
  pull(20);
  EXPECT_EQ(randomCalls, 0);
  // The scan empties every finished voice, finds none empty when it reaches it, and passes
  // voice 7: the random pick, although seven voices are free by then.
  effects.play("long", 0);
  EXPECT_EQ(randomCalls, 1);
  EXPECT_EQ(effects.mixer().busyVoices(), (Busy{false, true, false, false, false, false, true, false}));
  EXPECT_EQ(effects.mixer().displacedPlaying(), 0);
  // Now voice 0 is empty when the scan reaches it.
  effects.play("long", 0);
  EXPECT_EQ(randomCalls, 1);
  EXPECT_EQ(effects.mixer().busyVoices(), (Busy{true, true, false, false, false, false, true, false}));
}

TEST(PanGains, AttenuateTheOppositeChannelOnlyAndRefuseOutOfRangePans) {
  struct PanCase {
    int pan;
    double left, right;
  };
  const PanCase cases[] = {
      {0, 1, 1},           {2000, 0.1, 1},       {-2000, 1, 0.1},        {600, std::pow(10, -0.3), 1},
      {10000, 1e-5, 1},    {-10000, 1, 1e-5},    {10001, 1, 1},          {-10001, 1, 1},
      {-3000, 1, std::pow(10, -1.5)},
  };
  for (const PanCase& c : cases) {
    SCOPED_TRACE(c.pan);
    const VoiceGains gains = panGains(c.pan);
    EXPECT_NEAR(gains.left, c.left, c.left * 1e-5);
    EXPECT_NEAR(gains.right, c.right, c.right * 1e-5);
  }
}

TEST_F(SoundEffectsTest, PanIsAppliedToTheChannels) {
  writeEffect("LEFTISH", 16384, 100);
  effects.play("leftish", -3000);  // as the pause menu's cursor-down sound, to the left
  const std::vector<float> out = pull(1);
  EXPECT_NEAR(out[0], 0.5f, 1e-6);
  EXPECT_NEAR(out[1], 0.5f * std::pow(10.0f, -1.5f), 1e-6);
}

TEST_F(SoundEffectsTest, EffectsSettingAndBeepModeDecideBetweenSoundToneAndSilence) {
  writeEffect("BLIP", 8000, 10000);
  struct Case {
    bool effectsOn, beepMode;
    bool sounds;
  };
  const Case cases[] = {{true, false, true}, {true, true, true}, {false, true, false}, {false, false, false}};
  const float effectLevel = level(8000);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "effectsOn " << c.effectsOn << " beepMode " << c.beepMode);
    effects.play("blip", 0, {c.effectsOn, c.beepMode});
    const std::vector<float> out = pull(10000);
    const bool effectHeard = std::any_of(out.begin(), out.end(), [&](float s) { return s == effectLevel; });
    const bool anything = std::any_of(out.begin(), out.end(), [](float s) { return s != 0.0f; });
    EXPECT_EQ(anything, c.sounds);
    EXPECT_EQ(effectHeard, c.sounds && !c.beepMode) << "beep mode plays the tone, never the effect";
  }
  EXPECT_EQ(platform.dialogsImpl.beeps, 0) << "with an audio stream the terminal bell stays silent";
}

// Beep mode's tone: 880 Hz, about a tenth of a second, the same on both sides, beginning and
// ending quietly; and the same tone whichever effect it stands for.
TEST_F(SoundEffectsTest, BeepModePlaysAShortToneOfItsOwnForEveryEffect) {
  effects.play("move", 9000, {true, true});
  const std::vector<float> tone = pull(44100 / 5);
  std::size_t lastSound = 0;
  int rises = 0;
  float peak = 0.0f;
  for (std::size_t frame = 0; frame + 1 < tone.size() / 2; ++frame) {
    const float left = tone[2 * frame], next = tone[2 * frame + 2];
    ASSERT_EQ(left, tone[2 * frame + 1]) << "centred, whatever the effect's pan";
    if (left != 0.0f) lastSound = frame;
    if (left <= 0.0f && next > 0.0f) ++rises;
    peak = std::max(peak, std::abs(left));
  }
  const double seconds = static_cast<double>(lastSound + 1) / 44100;
  EXPECT_NEAR(seconds, kBeepSeconds, 0.005);
  EXPECT_NEAR(rises / seconds, kBeepHertz, 20.0);
  EXPECT_GT(peak, 0.1f);
  EXPECT_LT(std::abs(tone[0]), 0.01f);
  EXPECT_LT(std::abs(tone[2 * lastSound]), 0.001f);

  effects.play("hit", 0, {true, true});
  EXPECT_EQ(pull(44100 / 5), tone);
}

TEST_F(SoundEffectsTest, WithoutAnAudioDeviceBeepModeRingsTheSystemBeep) {
  platform::TestPlatform noDevice;
  noDevice.audioImpl.openSucceeds = false;
  SoundEffects silent(noDevice);
  EXPECT_FALSE(silent.startUp());
  silent.play("move", 0, {true, true});
  EXPECT_EQ(noDevice.dialogsImpl.beeps, 1);
  silent.play("move", 0, {false, true});
  EXPECT_EQ(noDevice.dialogsImpl.beeps, 1) << "S.E. off silences the bell too";
}

TEST_F(SoundEffectsTest, LooksUpTheUpperCasedResourceBeforeAFile) {
  writeEffect("MOVE", 100, 50000);  // shadowed by the built-in resource
  effects.play("move", 0);
  const std::vector<float> out = pull(44100);
  bool heard = false;
  bool fileLevelThroughout = true;
  for (float s : out) {
    heard = heard || s != 0.0f;
    fileLevelThroughout = fileLevelThroughout && std::fabs(s - level(100)) < 1e-6;
  }
  EXPECT_TRUE(heard);
  EXPECT_FALSE(fileLevelThroughout);
}

TEST_F(SoundEffectsTest, MissingOrMalformedEffectsPlayNothing) {
  test::writeFile(folder.path() / "BROKEN", test::Bytes{'R', 'I', 'F', 'F', 0, 0});
  const testing::Fifo fifo((folder.path() / "PIPE").string());
  ASSERT_TRUE(fifo.returnsWithin([&] {
    for (const char* name : {"nothing", "broken", "", "pipe"}) effects.play(name, 0);
  })) << "an effect file that is a FIFO was waited on";
  const std::vector<float> out = pull(100);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float s) { return s == 0.0f; }));
}

TEST_F(SoundEffectsTest, ALoudMixIsClippedToFullScale) {
  writeEffect("LOUD", 30000, 10);
  for (int i = 0; i < 3; ++i) effects.play("loud", 0);
  EXPECT_EQ(pull(1)[0], 1.0f);
}

}  // namespace
}  // namespace quorel
