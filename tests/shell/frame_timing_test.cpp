#include "game/shell/frame_timing.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/platform/test/test_platform.h"
#include "game/platform/virtual_keys.h"

namespace quorel {
namespace {

using platform::TestClock;
using platform::TestInput;

// Presents `frames` frames, each after `work` ms of drawing, and returns the clock after each.
std::vector<std::uint32_t> paceFrames(TestClock& clock, FramePacer& pacer, int frames, std::uint32_t work) {
  std::vector<std::uint32_t> times;
  for (int i = 0; i < frames; ++i) {
    clock.advance(work);
    pacer.pace();
    times.push_back(clock.now);
  }
  return times;
}

TEST(FramePacer, FramesThatAreOnTimeFollowEvery16Milliseconds) {
  for (const std::uint32_t work : {0u, 5u, 16u}) {
    TestClock clock;
    FramePacer pacer(clock);
    const auto times = paceFrames(clock, pacer, 6, work);
    // The first frame spins to 17 ms past the tick count it started from.
    EXPECT_EQ(times[0], 1000u + work + 17u) << "work " << work;
    for (std::size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], 16u) << "work " << work;
  }
}

TEST(FramePacer, ALateFrameRestartsTheCadenceWithoutCatchingUp) {
  TestClock clock;
  FramePacer pacer(clock);
  pacer.pace();  // frame base 1000, shown at 1017, base 1016
  ASSERT_EQ(clock.now, 1017u);

  clock.advance(1);  // 1018: 2 ms past the base, on time
  pacer.pace();
  EXPECT_EQ(clock.now, 1033u);

  clock.advance(30);  // 1063: 31 ms past the base 1032: late
  pacer.pace();
  EXPECT_EQ(clock.now, 1063u) << "a late frame is shown at once";
  EXPECT_EQ(pacer.frameBase(), 1063u) << "and the cadence starts again from it";

  clock.advance(2);
  pacer.pace();
  EXPECT_EQ(clock.now, 1080u) << "the next frame is paced from the new base, not from the lost frames";
}

TEST(FramePacer, SeventeenMillisecondsIsStillOnTimeEighteenIsLate) {
  struct Case {
    std::uint32_t pastBase;
    std::uint32_t shownAt;  // relative to the base
  };
  for (const Case c : {Case{16, 17}, Case{17, 17}, Case{18, 18}}) {
    TestClock clock;
    FramePacer pacer(clock);
    pacer.pace();
    const std::uint32_t base = pacer.frameBase();
    clock.now = base + c.pastBase;
    pacer.pace();
    EXPECT_EQ(clock.now - base, c.shownAt) << "arriving " << c.pastBase << " ms past the base";
  }
}

struct WaitFixture : ::testing::Test {
  TestClock clock;
  TestInput input;
  int pumps = 0;
  bool open = true;
  FrameWaiter waiter{clock, input, [this] {
                       ++pumps;
                       return open;
                     }};
};

TEST_F(WaitFixture, APeriodCountsFromTheEndOfThePreviousWait) {
  waiter.wait(20);  // lastWaitEnd is 0 at start: returns at once
  EXPECT_EQ(clock.now, 1000u);
  EXPECT_EQ(waiter.lastWaitEnd(), 1000u);

  clock.advance(7);  // drawing and presenting count towards the period
  waiter.wait(20);
  EXPECT_EQ(clock.now, 1020u);
  EXPECT_EQ(waiter.lastWaitEnd(), 1020u);
  EXPECT_EQ(pumps, 13) << "messages are handled while waiting, once a millisecond";

  clock.advance(25);  // already past the period: no wait, but the end moves on
  waiter.wait(20);
  EXPECT_EQ(clock.now, 1045u);
  EXPECT_EQ(waiter.lastWaitEnd(), 1045u);
}

TEST_F(WaitFixture, PeriodZeroOnlyNotesTheTime) {
  clock.advance(3);
  waiter.wait(0);
  EXPECT_EQ(clock.now, 1003u);
  EXPECT_EQ(waiter.lastWaitEnd(), 1003u);
  EXPECT_EQ(pumps, 0);
}

TEST_F(WaitFixture, ShiftHeldOrPressedSkipsTheWaitAndKeepsItsEnd) {
  waiter.wait(0);
  input.hold(vk::kShift);
  waiter.wait(50);
  EXPECT_EQ(clock.now, 1000u);
  input.release(vk::kShift);
  input.tap(vk::kShift);  // pressed and let go since the keyboard was last asked
  waiter.wait(50);
  EXPECT_EQ(clock.now, 1000u);
  EXPECT_EQ(waiter.lastWaitEnd(), 1000u);
  waiter.wait(50);  // the tap was consumed
  EXPECT_EQ(clock.now, 1050u);
}

TEST_F(WaitFixture, AWaitEndsAsSoonAsTheWindowCloses) {
  waiter.wait(0);
  open = false;
  waiter.wait(100);
  EXPECT_EQ(pumps, 1);
  EXPECT_EQ(clock.now, 1000u);
}

}  // namespace
}  // namespace quorel
