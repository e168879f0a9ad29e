#include <gtest/gtest.h>

#include <cmath>

#include "game/platform/test/test_platform.h"
#include "game/presentation/music_player.h"
#include "game/presentation/sound_effects.h"
#include "tests/audio/audio_fixtures.h"
#include "tests/support/fifo.h"

namespace quorel {
namespace {

using test::Bytes;

constexpr int kRate = 44100;
constexpr int kDeviceFrames = 441;  // the callback asks for 10 ms at a time
constexpr std::int64_t kTwoMilliseconds = kRate / 500;

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes b;
  for (const Bytes& p : parts) test::append(b, p);
  return b;
}

const Bytes kEndOfTrack = {0xFF, 0x2F, 0x00};

Bytes noteOn(std::uint32_t delta, std::uint8_t key) { return concat({test::vlq(delta), {0x90, key, 0x64}}); }
Bytes noteOff(std::uint32_t delta, std::uint8_t key) { return concat({test::vlq(delta), {0x80, key, 0x00}}); }
Bytes tempo(std::uint32_t delta, std::uint32_t microseconds) {
  return concat({test::vlq(delta), {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microseconds >> 16),
                                    static_cast<std::uint8_t>(microseconds >> 8), static_cast<std::uint8_t>(microseconds)}});
}
Bytes endOfTrack(std::uint32_t delta) { return concat({test::vlq(delta), kEndOfTrack}); }

class MusicPlayerTest : public ::testing::Test {
 protected:
  MusicPlayerTest() {
    platform.audioImpl.rate = kRate;
    EXPECT_TRUE(effects.startUp());
  }

  std::string write(const std::string& name, const Bytes& bytes) {
    test::writeFile(folder.path() / name, bytes);
    return (folder.path() / name).string();
  }
  // Loads and plays a piece; the frames of messages are then counted from this moment.
  bool loadAndPlay(std::uint16_t division, const Bytes& track) {
    const bool playing = player.loadAndPlay(write("piece.mid", test::midiFile(division, track)));
    if (platform.lastSynth) {
      platform.lastSynth->messages.clear();
      startFrame = platform.lastSynth->renderedFrames;
    }
    return playing;
  }
  // Pulls audio as the device would, in 10 ms callbacks.
  void pullSeconds(double seconds) {
    const auto frames = static_cast<int>(seconds * kRate);
    for (int done = 0; done < frames; done += kDeviceFrames) platform.audioImpl.pull(std::min(kDeviceFrames, frames - done));
  }
  // Frames at which the synthesizer received a message with this status byte.
  std::vector<std::int64_t> framesOf(std::uint8_t status) const {
    std::vector<std::int64_t> frames;
    for (const auto& m : platform.lastSynth->messages) {
      if ((m.word & 0xFF) == status && m.sysex.empty()) frames.push_back(m.frame - startFrame);
    }
    return frames;
  }

  test::TempWorkingFolder folder;
  platform::TestPlatform platform;
  SoundEffects effects{platform};
  MusicPlayer player{platform, effects};
  std::int64_t startFrame = 0;
};

// --- loading ---

Bytes withHeaderLength(std::uint32_t length, const Bytes& track) {
  Bytes file = test::midiFile(96, track);
  file[7] = static_cast<std::uint8_t>(length);
  file.insert(file.begin() + 14, length - 6, 0xEE);
  return file;
}

Bytes patched(Bytes file, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
  return file;
}

TEST_F(MusicPlayerTest, LoadRefusesMalformedFilesWithItsReason) {
  const Bytes track = concat({noteOn(0, 60), endOfTrack(0)});
  const Bytes good = test::midiFile(96, track);
  struct LoadCase {
    const char* name;
    Bytes file;
    std::string reason;  // empty: accepted
  };
  const std::vector<LoadCase> cases = {
      {"good file", good, ""},
      {"header chunk longer than 6 bytes skipped", withHeaderLength(10, track), ""},
      {"23 bytes", Bytes(good.begin(), good.begin() + 23), "ファイルサイズが不正"},
      {"bad MThd", patched(good, 0, {'M', 'T', 'h', 'x'}), "ヘッダーが不正"},
      {"format 1", test::midiFile(96, track, 1, 1), "データ形式が Format 0 以外"},
      {"format 0 with two tracks", test::midiFile(96, track, 0, 2), "データ形式が Format 0 以外"},
      {"header length past the end", patched(good, 4, {0x00, 0x01, 0x00, 0x00}), "トラックヘッダー読み込みに失敗"},
      {"header length near 4 GB", patched(good, 4, {0xFF, 0xFF, 0xFF, 0xFF}), "トラックヘッダー読み込みに失敗"},
      {"bad MTrk", patched(good, 14, {'M', 'T', 'r', 'x'}), "トラックヘッダーが不正"},
      {"track longer than the file", patched(good, 18, {0xFF, 0xFF, 0xFF, 0xF0}), "トラックの読み込みに失敗"},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(player.load(write("case.mid", c.file)), c.reason.empty());
    EXPECT_EQ(player.lastError(), c.reason);
  }
}

TEST_F(MusicPlayerTest, AMissingFileIsRefusedWithoutReasonAndKeepsTheLoadedTrack) {
  ASSERT_TRUE(player.load(write("a.mid", test::midiFile(96, concat({noteOn(0, 60), endOfTrack(0)})))));
  EXPECT_FALSE(player.load((folder.path() / "missing.mid").string()));
  EXPECT_FALSE(player.load(folder.path().string()));  // a folder is no file
  const testing::Fifo fifo((folder.path() / "pipe.mid").string());
  bool loaded = true;
  ASSERT_TRUE(fifo.returnsWithin([&] { loaded = player.load(fifo.path()); })) << "a FIFO was waited on";
  EXPECT_FALSE(loaded);
  EXPECT_EQ(player.lastError(), "");
  EXPECT_TRUE(player.play());
  // A refused file drops the track: there is nothing left to play.
  EXPECT_FALSE(player.load(write("b.mid", Bytes(10, 0))));
  EXPECT_FALSE(player.play());
}

TEST_F(MusicPlayerTest, ADivisionWithoutTimeBaseFailsPlayAndDropsTheTrack) {
  EXPECT_FALSE(loadAndPlay(0, concat({noteOn(0, 60), endOfTrack(0)})));
  EXPECT_FALSE(player.play());
}

// --- timing ---

TEST_F(MusicPlayerTest, NotesStartAtTheFrameThatTempoAndDivisionGive) {
  struct TimingCase {
    const char* name;
    std::uint16_t division;
    Bytes lead;  // events before the note
    std::uint32_t noteDelta;
    double seconds;
  };
  const std::vector<TimingCase> cases = {
      {"120 bpm until the track says otherwise", 480, {}, 960, 1.0},
      {"a tempo event overrides 500000", 480, tempo(0, 250000), 960, 0.5},
      {"a tempo change part way", 480, tempo(480, 1000000), 480, 0.5 + 1.0},
      {"an odd division", 7, {}, 10, 10.0 * 0.5 / 7},
      {"SMPTE 25 frames of 40 ticks", 0xE728, {}, 500, 0.5},
  };
  for (const TimingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(loadAndPlay(c.division, concat({c.lead, noteOn(c.noteDelta, 60), endOfTrack(0)})));
    pullSeconds(c.seconds + 0.1);
    const std::vector<std::int64_t> onsets = framesOf(0x90);
    ASSERT_EQ(onsets.size(), 1u);
    EXPECT_NEAR(static_cast<double>(onsets[0]), c.seconds * kRate, kTwoMilliseconds);
    player.close();
  }
}

TEST_F(MusicPlayerTest, ManyBuffersPlayBackToBackOnTheAudioThread) {
  // 400 notes, one every 24 ticks (25 ms): five buffers and more, refilled inside the callback.
  Bytes track;
  for (int i = 0; i < 400; ++i) test::append(track, noteOn(i == 0 ? 0 : 24, static_cast<std::uint8_t>(i % 100)));
  test::append(track, endOfTrack(0));
  ASSERT_TRUE(loadAndPlay(480, track));
  pullSeconds(10.5);
  const std::vector<std::int64_t> onsets = framesOf(0x90);
  ASSERT_EQ(onsets.size(), 400u);
  for (std::size_t i = 0; i < onsets.size(); ++i) {
    EXPECT_NEAR(static_cast<double>(onsets[i]), static_cast<double>(i) * 0.025 * kRate, kTwoMilliseconds) << i;
  }
  EXPECT_FALSE(player.playing());
}

TEST_F(MusicPlayerTest, RepeatLoopsForeverAndItsAbsenceEndsThePiece) {
  const Bytes track = concat({noteOn(0, 60), noteOff(480, 60), endOfTrack(480)});  // 1 s a pass
  player.setRepeat(true);
  ASSERT_TRUE(loadAndPlay(480, track));
  pullSeconds(3.5);
  const std::vector<std::int64_t> looped = framesOf(0x90);
  ASSERT_EQ(looped.size(), 4u);
  for (std::size_t i = 0; i < looped.size(); ++i) EXPECT_NEAR(static_cast<double>(looped[i]), static_cast<double>(i) * kRate, 1.0);
  EXPECT_TRUE(player.playing());

  player.setRepeat(false);
  ASSERT_TRUE(loadAndPlay(480, track));
  pullSeconds(3.5);
  EXPECT_EQ(platform.lastSynth->messages.size(), 2u);
  EXPECT_FALSE(player.playing());
}

TEST_F(MusicPlayerTest, StopSilencesAndSendsNothingMore) {
  player.setRepeat(true);
  ASSERT_TRUE(loadAndPlay(480, concat({noteOn(0, 60), noteOff(480, 60), endOfTrack(480)})));
  pullSeconds(0.2);
  player.stop();
  EXPECT_FALSE(player.playing());
  EXPECT_GE(platform.lastSynth->allNotesOffCalls, 1);
  const std::size_t sent = platform.lastSynth->messages.size();
  pullSeconds(3);
  EXPECT_EQ(platform.lastSynth->messages.size(), sent);
  // Play starts the piece over.
  EXPECT_TRUE(player.play());
  pullSeconds(0.1);
  EXPECT_EQ(platform.lastSynth->messages.size(), sent + 1);
}

TEST_F(MusicPlayerTest, ARepeatingPieceWithNoTimeInItDoesNotHangTheCallback) {
  player.setRepeat(true);
  ASSERT_TRUE(loadAndPlay(480, concat({noteOn(0, 60), endOfTrack(0)})));
  pullSeconds(0.05);
  EXPECT_GT(platform.lastSynth->messages.size(), 0u);
  EXPECT_TRUE(player.playing());
}

TEST_F(MusicPlayerTest, SystemExclusiveReachesTheSynthesizerWhole) {
  ASSERT_TRUE(loadAndPlay(480, concat({{0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}, endOfTrack(0)})));
  pullSeconds(0.05);
  ASSERT_EQ(platform.lastSynth->messages.size(), 1u);
  EXPECT_EQ(platform.lastSynth->messages[0].sysex, (Bytes{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
}

}  // namespace
}  // namespace quorel
