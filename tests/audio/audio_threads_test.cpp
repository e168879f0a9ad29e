#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "game/platform/test/test_platform.h"
#include "game/presentation/music_player.h"
#include "game/presentation/sound_effects.h"
#include "tests/audio/audio_fixtures.h"

namespace quorel {
namespace {

using test::Bytes;

// A piece whose events come every tick at a fast tempo, so that every callback sends
// hundreds of events and refills the stream buffer several times on the audio thread.
Bytes densePiece() {
  Bytes track = {0x00, 0xFF, 0x51, 0x03, 0x00, 0x27, 0x10};  // 10000 microseconds a quarter
  for (int i = 0; i < 300; ++i) test::append(track, {0x01, 0x90, static_cast<std::uint8_t>(i % 128), 0x40});
  test::append(track, {0x00, 0xF0, 0x02, 0x01, 0xF7});
  test::append(track, {0x01, 0xFF, 0x2F, 0x00});
  return test::midiFile(480, track);
}

// The audio device: runs the callback as fast as it can on a thread of its own until stopped.
class Device {
 public:
  explicit Device(platform::TestAudio& audio)
      : thread_([this, &audio] {
          while (!finished_) {
            audio.pull(256);
            ++callbacks_;
          }
        }) {}
  ~Device() { stop(); }
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  void stop() {
    finished_ = true;
    if (thread_.joinable()) thread_.join();
  }
  void waitForCallbacks(int count) const {
    const int seen = callbacks_;
    while (callbacks_ < seen + count) std::this_thread::yield();
  }

 private:
  std::atomic<bool> finished_ = false;
  std::atomic<int> callbacks_ = 0;
  std::thread thread_;  // last: it starts once the counters are there
};

TEST(AudioThreads, TheGameThreadAndTheCallbackShareNothingUnguarded) {
  test::TempWorkingFolder folder;
  test::writeFile(folder.path() / "ZAP", test::constantWave(3000, 2000));
  test::writeFile(folder.path() / "a.mid", densePiece());
  test::writeFile(folder.path() / "b.mid", densePiece());
  platform::TestPlatform platform;
  SoundEffects effects(platform);
  ASSERT_TRUE(effects.startUp());
  MusicPlayer player(platform, effects);

  Device device(platform.audioImpl);
  for (int i = 0; i < 120; ++i) {
    effects.play(i % 2 ? "move" : "zap", (i * 700) % 20001 - 10000);
    player.setRepeat(i % 3 != 0);
    switch (i % 6) {
      case 0: player.loadAndPlay("a.mid"); break;
      case 1: player.stop(); break;
      case 2: player.play(); break;
      case 3: player.close(); break;
      case 4: player.load("b.mid"); break;
      case 5: player.play(); break;
    }
    // Let a callback or two run between operations, so that they meet refills in flight.
    device.waitForCallbacks(1);
  }
  device.stop();
  ASSERT_NE(platform.lastSynth, nullptr);
  EXPECT_GT(platform.lastSynth->messages.size(), 300u);
}

// The soundfont loads on a worker thread while the game plays on: a piece played meanwhile
// returns at once, and starts from its first event once the synthesizer is there.
TEST(AudioThreads, TheSynthesizerIsMadeBesideTheGameAndTheMusicWaitsForIt) {
  test::TempWorkingFolder folder;
  test::writeFile(folder.path() / "a.mid", densePiece());
  platform::TestPlatform platform;
  std::promise<void> release;
  platform.synthMaking = [made = release.get_future().share()] { made.wait(); };
  SoundEffects effects(platform);
  ASSERT_TRUE(effects.startUp());
  MusicPlayer player(platform, effects);
  player.prepareSynth();

  Device device(platform.audioImpl);
  auto played = std::async(std::launch::async, [&] { return player.loadAndPlay("a.mid"); });
  const bool returned = played.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
  EXPECT_TRUE(returned) << "play waited for the synthesizer";
  device.waitForCallbacks(20);
  EXPECT_FALSE(player.synthReady());
  release.set_value();
  EXPECT_TRUE(played.get());
  while (!player.synthReady()) std::this_thread::yield();
  device.waitForCallbacks(20);
  device.stop();

  EXPECT_EQ(platform.synthsMade, 1);
  ASSERT_NE(platform.lastSynth, nullptr);
  const auto& messages = platform.lastSynth->messages;
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front().word, 0x90u | 0x40u << 16) << "the piece's first note, key 0";
  EXPECT_LT(messages.front().frame, 256);
}

}  // namespace
}  // namespace quorel
