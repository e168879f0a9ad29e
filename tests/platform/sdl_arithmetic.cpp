// The SDL back end's arithmetic, checked without a display: where the picture lands in a window
// or on a screen, where the window lands on the desktop, the joystick scale, the desktop depth and
// the wait behind the frame pacing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/platform/sdl_geometry.h"
#include "game/platform/sdl_spin_wait.h"

namespace quorel::platform {
namespace {

TEST(Letterbox, ThePictureKeepsItsShapeAndSitsInTheMiddle) {
  struct Case {
    int width, height;
    Rect expected;
  };
  const Case cases[] = {
      {640, 480, {0, 0, 640, 480}},
      {1280, 960, {0, 0, 1280, 960}},
      {1920, 1080, {240, 0, 1440, 1080}},   // wide screen: bars left and right
      {1280, 1024, {0, 32, 1280, 960}},     // 5:4: bars top and bottom
      {2560, 1600, {213, 0, 2133, 1600}},
      {300, 100, {83, 0, 133, 100}},        // smaller than the picture
      {0, 480, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(letterbox(c.width, c.height), c.expected) << c.width << " x " << c.height;
  }
}

TEST(Letterbox, MagnificationIsTheSmallestWholeOneAtLeastAsWideAsTheFit) {
  const int cases[][2] = {
      {640, 1}, {1280, 2}, {1440, 3}, {1024, 2}, {1281, 3}, {2880, 5}, {300, 1}, {0, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(magnificationFor(c[0]), c[1]) << "fit width " << c[0];
}

TEST(WindowPlacement, TheWindowMovesOnlyRightOrDownIntoTheWorkArea) {
  struct Case {
    Point window;
    Rect workArea;
    Point expected;
    const char* desktop;
  };
  const Case cases[] = {
      {{0, 0}, {0, 0, 1920, 1040}, {0, 0}, "panel at the bottom"},
      {{0, 0}, {0, 40, 1920, 1040}, {0, 40}, "panel at the top"},
      {{0, 0}, {64, 0, 1856, 1080}, {64, 0}, "panel at the left"},
      {{0, 0}, {64, 40, 1856, 1040}, {64, 40}, "panels at the top and left"},
      {{100, 100}, {0, 40, 1920, 1040}, {100, 100}, "already inside"},
      {{0, 0}, {-1920, 0, 1920, 1080}, {0, 0}, "work area starting left of the window"},
  };
  for (const auto& c : cases) EXPECT_EQ(placeInsideWorkArea(c.window, c.workArea), c.expected) << c.desktop;
}

TEST(JoystickAxis, SdlRangeMapsOntoTheFullUnsignedRange) {
  EXPECT_EQ(joystickAxisValue(-32768), 0u);
  EXPECT_EQ(joystickAxisValue(-1), 32767u);
  EXPECT_EQ(joystickAxisValue(0), 32768u);
  EXPECT_EQ(joystickAxisValue(32767), 65535u);
}

TEST(DesktopDepth, CountedAsWindowsCountsIt) {
  struct Case {
    int bits, bytes, expected;
  };
  const Case cases[] = {
      {24, 4, 32},  // 24 colour bits in a 32-bit pixel
      {32, 4, 32},
      {24, 3, 24},
      {16, 2, 16},
      {15, 2, 16},  // 5-5-5 colour in a 16-bit pixel
      {8, 1, 8},
      {4, 0, 4},
  };
  for (const auto& c : cases) EXPECT_EQ(desktopDepth(c.bits, c.bytes), c.expected) << c.bits << "/" << c.bytes;
}

// A clock in tenths of a millisecond whose reads take a little time and whose sleeps overshoot,
// as a real one does.
struct FakeTime {
  std::uint64_t tenths = 0;
  std::uint64_t readCost = 1;
  std::uint64_t sleepOvershoot = 7;
  std::vector<std::uint32_t> sleeps;
  std::uint32_t read() {
    tenths += readCost;
    return static_cast<std::uint32_t>(tenths / 10);
  }
  void sleep(std::uint32_t ms) {
    sleeps.push_back(ms);
    tenths += ms * 10ull + sleepOvershoot;
  }
};

void runSpin(FakeTime& time, std::uint32_t base, std::uint32_t distance) {
  spinWait([&] { return time.read(); }, [&](std::uint32_t ms) { time.sleep(ms); }, base, distance);
}

TEST(SpinWait, SleepsMostOfTheWaitAndEndsInTheFirstMillisecondFarEnough) {
  FakeTime time;
  time.tenths = 1000 * 10;
  runSpin(time, 1000, 17);
  EXPECT_EQ(time.tenths / 10, 1017u) << "neither early nor a millisecond late";
  ASSERT_FALSE(time.sleeps.empty());
  EXPECT_EQ(time.sleeps.front(), 15u) << "sleeps all but the margin";
  std::uint32_t slept = 0;
  for (const auto ms : time.sleeps) slept += ms;
  EXPECT_LE(slept, 15u) << "never sleeps into the margin";
}

TEST(SpinWait, DoesNotSleepWhenLittleOrNothingIsLeft) {
  struct Case {
    std::uint64_t startMs;
    std::uint32_t base, distance;
  };
  const Case cases[] = {
      {1015, 1000, 17},  // two milliseconds left: spin only
      {1030, 1000, 17},  // already late
      {1000, 1000, 0},
  };
  for (const auto& c : cases) {
    FakeTime time;
    time.tenths = c.startMs * 10;
    runSpin(time, c.base, c.distance);
    EXPECT_TRUE(time.sleeps.empty()) << c.startMs;
    EXPECT_EQ(time.tenths / 10, std::max<std::uint64_t>(c.startMs, c.base + c.distance));
  }
}

TEST(SpinWait, CountsAcrossTheWrapOfTheCounter) {
  FakeTime time;
  time.tenths = 0xFFFFFFFEull * 10;  // two milliseconds before the wrap
  runSpin(time, 0xFFFFFFFEu, 10);
  EXPECT_EQ(static_cast<std::uint32_t>(time.tenths / 10), 8u);
}

}  // namespace
}  // namespace quorel::platform
