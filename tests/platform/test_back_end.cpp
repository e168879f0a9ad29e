// The test back end is what every scene test stands on: its clock, key and audio semantics must
// match the real machine's, or scene tests would prove the wrong thing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/platform/test/test_platform.h"

namespace quorel::platform {
namespace {

struct SpinCase {
  std::uint32_t now, base, distance, expected;
};

TEST(TestClock, SpinUntilStopsAtTheFirstMillisecondFarEnough) {
  const SpinCase cases[] = {
      {1000, 1000, 17, 1017},               // plain wait
      {1005, 1000, 17, 1017},               // part of the distance already gone
      {1030, 1000, 17, 1030},               // late: no move
      {1017, 1000, 17, 1017},               // exactly there: no move
      {1000, 1000, 0, 1000},                // nothing to wait for
      {0xFFFFFFFAu, 0xFFFFFFF0u, 17, 0x01u},  // the wait crosses the wrap of the counter
      {0x05u, 0xFFFFFFF8u, 17, 0x09u},        // base before the wrap, now after it
  };
  for (const auto& c : cases) {
    TestClock clock;
    clock.now = c.now;
    clock.spinUntil(c.base, c.distance);
    EXPECT_EQ(clock.now, c.expected) << "now " << c.now << " base " << c.base << " distance " << c.distance;
    EXPECT_GE(static_cast<std::uint32_t>(clock.now - c.base), c.distance);
  }
}

TEST(TestInput, PressedSinceAskedReportsOnceHeldReportsAlways) {
  TestInput input;
  input.tap(0x20);
  input.hold(0x25);
  EXPECT_TRUE(input.asyncKeyState(0x20));
  EXPECT_FALSE(input.asyncKeyState(0x20)) << "a tap is consumed by the first ask";
  EXPECT_TRUE(input.asyncKeyState(0x25));
  EXPECT_TRUE(input.asyncKeyState(0x25));
  input.release(0x25);
  EXPECT_FALSE(input.asyncKeyState(0x25));
  EXPECT_EQ(input.keysAsked, (std::vector<int>{0x20, 0x20, 0x25, 0x25, 0x25}));
}

TEST(TestInput, AskingOneKeyLeavesOtherTapsPending) {
  TestInput input;
  input.tap(0x5A);
  input.tap(0xBF);
  EXPECT_TRUE(input.asyncKeyState(0x5A));
  EXPECT_TRUE(input.asyncKeyState(0xBF));
  // A tap while held still counts once after the release.
  input.hold(0x58);
  input.tap(0x58);
  input.release(0x58);
  EXPECT_TRUE(input.asyncKeyState(0x58));
  EXPECT_FALSE(input.asyncKeyState(0x58));
}

TEST(TestInput, JoystickAnswersFromTheScriptAndCountsQueries) {
  TestInput input;
  JoystickPosition position;
  EXPECT_FALSE(input.joystickPosition(position));
  input.joystick = JoystickPosition{100, 65535, 0x11};
  ASSERT_TRUE(input.joystickPosition(position));
  EXPECT_EQ(position.x, 100u);
  EXPECT_EQ(position.y, 65535u);
  EXPECT_EQ(position.buttons, 0x11u);
  EXPECT_EQ(input.joystickQueries, 2);
}

TEST(TestDisplay, PresentKeepsTheFrameAndTheTimeItWasShown) {
  TestPlatform platform;
  auto& display = platform.displayImpl;
  display.keepAllFrames = true;
  std::vector<std::uint32_t> frame(640 * 480, 0);
  frame[5 * 640 + 7] = 0x00FF8000u;
  platform.clockImpl.now = 2000;
  display.present(frame);
  frame[5 * 640 + 7] = 0x00123456u;
  platform.clockImpl.advance(16);
  display.present(frame);
  EXPECT_EQ(display.pixel(7, 5), 0x00123456u);
  ASSERT_EQ(display.frames.size(), 2u);
  EXPECT_EQ(display.frames[0][5 * 640 + 7], 0x00FF8000u) << "a kept frame must not follow later frames";
  EXPECT_EQ(display.presentTimes, (std::vector<std::uint32_t>{2000, 2016}));
}

TEST(TestDisplay, PollEventsHandsOverPendingEventsOnce) {
  TestDisplay display;
  display.pendingEvents.push_back({Event::Kind::KeyDown, 0x78});
  display.pendingEvents.push_back({Event::Kind::CloseRequest, 0});
  std::vector<Event> events{{Event::Kind::KeyDown, 0x1B}};
  display.pollEvents(events);
  ASSERT_EQ(events.size(), 3u) << "events are appended, not replaced";
  EXPECT_EQ(events[1].virtualKey, 0x78);
  EXPECT_EQ(events[2].kind, Event::Kind::CloseRequest);
  events.clear();
  display.pollEvents(events);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(display.pollCount, 2);
}

TEST(TestDialogs, AnswersComeFromTheScriptThenNo) {
  TestDialogs dialogs;
  dialogs.answers = {true, false, true};
  dialogs.message("m", "c");
  EXPECT_TRUE(dialogs.askYesNo("q1", "c1"));
  EXPECT_FALSE(dialogs.askYesNo("q2", "c2"));
  EXPECT_TRUE(dialogs.askYesNo("q3", "c3"));
  EXPECT_FALSE(dialogs.askYesNo("q4", "c4"));
  ASSERT_EQ(dialogs.shown.size(), 5u);
  EXPECT_FALSE(dialogs.shown[0].question);
  EXPECT_TRUE(dialogs.shown[4].question);
  EXPECT_EQ(dialogs.shown[2].text, "q2");
  EXPECT_EQ(dialogs.shown[2].caption, "c2");
}

// Adds a constant, so a buffer that was not zeroed first shows up.
class AddingSource : public AudioSource {
 public:
  void render(float* out, int frames) override {
    for (int i = 0; i < frames * 2; ++i) out[i] += 0.25f;
    lastFrames = frames;
  }
  int lastFrames = 0;
};

TEST(TestAudio, PullZeroesTheBufferThenRendersTheSource) {
  TestAudio audio;
  AddingSource source;
  EXPECT_EQ(audio.pull(4), std::vector<float>(8, 0.0f)) << "closed stream: silence";
  ASSERT_TRUE(audio.open(&source));
  const auto first = audio.pull(64);
  const auto second = audio.pull(64);
  EXPECT_EQ(source.lastFrames, 64);
  EXPECT_EQ(second, std::vector<float>(128, 0.25f));
  EXPECT_EQ(first, second);
  audio.close();
  EXPECT_EQ(audio.pull(2), std::vector<float>(4, 0.0f));
  audio.openSucceeds = false;
  EXPECT_FALSE(audio.open(&source));
  EXPECT_EQ(audio.source, nullptr);
}

TEST(TestSynth, RecordsMessagesAtTheFrameTheyArrived) {
  TestPlatform platform;
  auto synth = platform.createSynth(44100);
  ASSERT_EQ(platform.lastSynth, synth.get());
  synth->shortMessage(0x00403C90u);
  float buffer[2 * 100] = {};
  synth->render(buffer, 100);
  const std::uint8_t reset[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  synth->sysex(reset);
  auto& messages = platform.lastSynth->messages;
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].frame, 0);
  EXPECT_EQ(messages[0].word, 0x00403C90u);
  EXPECT_EQ(messages[1].frame, 100);
  EXPECT_EQ(messages[1].sysex, std::vector<std::uint8_t>(std::begin(reset), std::end(reset)));
}

}  // namespace
}  // namespace quorel::platform
