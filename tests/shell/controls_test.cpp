#include "game/shell/controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/platform/test/test_platform.h"

namespace quorel {
namespace {

using platform::JoystickPosition;
using platform::TestInput;

TEST(Controls, EveryKeyOfTheTableHoldsItsInputAndNoOther) {
  const int keys[kInputs][3] = {{0x64, 0x25, 0xBB}, {0x66, 0x27, 0xDD}, {0x68, 0x26, 0xC0},
                                {0x62, 0x28, 0x50}, {0x20, 0x5A, 0xBF}, {0x0D, 0x58, 0xE2}};
  for (int index = 0; index < kInputs; ++index) {
    for (const int key : keys[index]) {
      TestInput input;
      Controls controls(input);
      input.hold(key);
      for (int other = 0; other < kInputs; ++other) {
        EXPECT_EQ(controls.held(other, true), other == index) << "key " << key << " input " << other;
      }
    }
  }
}

TEST(Controls, KeysAreAskedInTableOrderUntilTheFirstThatIsDown) {
  TestInput input;
  Controls controls(input);
  input.hold(0x25);
  EXPECT_TRUE(controls.held(0, false));
  EXPECT_EQ(input.keysAsked, (std::vector<int>{0x64, 0x25}));
  input.keysAsked.clear();
  EXPECT_FALSE(controls.held(3, false));
  EXPECT_EQ(input.keysAsked, (std::vector<int>{0x62, 0x28, 0x50}));
}

TEST(Controls, APressBetweenTwoTestsIsReportedOnce) {
  TestInput input;
  Controls controls(input);
  input.tap(0x5A);
  EXPECT_TRUE(controls.held(4, true));
  EXPECT_FALSE(controls.held(4, true));
}

struct JoystickFixture : ::testing::Test {
  TestInput input;
  bool held(int index, JoystickPosition position, bool joystickOn = true) {
    input.joystick = position;
    Controls controls(input);
    return controls.held(index, joystickOn);
  }
};

TEST_F(JoystickFixture, DirectionsNeedTheStickAlmostAtTheEnd) {
  // Range 0..65535: cx = 32767, so Left below 5461.17 and Right above 60072.83.
  struct Case {
    std::uint32_t x, y;
    int index;
    bool held;
  };
  const Case cases[] = {
      {5461, 32767, 0, true},   {5462, 32767, 0, false}, {60073, 32767, 1, true}, {60072, 32767, 1, false},
      {32767, 5461, 2, true},   {32767, 5462, 2, false}, {32767, 60073, 3, true}, {32767, 60072, 3, false},
      {32767, 32767, 0, false}, {32767, 32767, 1, false}, {32767, 32767, 2, false}, {32767, 32767, 3, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(held(c.index, {c.x, c.y, 0}), c.held) << "x " << c.x << " y " << c.y << " input " << c.index;
  }
}

TEST_F(JoystickFixture, CentreComesFromTheRangeReadOnce) {
  input.caps = {1000, 3000, 0, 65535};  // cx = 2000: Left below 333.3
  input.joystick = JoystickPosition{300, 32767, 0};
  Controls controls(input);
  input.caps = {};  // later changes of the reported range are not seen
  EXPECT_TRUE(controls.held(0, true));
  input.joystick = JoystickPosition{400, 32767, 0};
  EXPECT_FALSE(controls.held(0, true));
}

TEST_F(JoystickFixture, ButtonsOneAndFiveAreButton1TwoAndSixAreButton2) {
  struct Case {
    std::uint32_t buttons;
    bool button1, button2;
  };
  for (const Case c : {Case{0x01, true, false}, Case{0x10, true, false}, Case{0x02, false, true},
                       Case{0x20, false, true}, Case{0x04, false, false}, Case{0x08, false, false}}) {
    EXPECT_EQ(held(4, {32767, 32767, c.buttons}), c.button1) << c.buttons;
    EXPECT_EQ(held(5, {32767, 32767, c.buttons}), c.button2) << c.buttons;
  }
}

TEST_F(JoystickFixture, AJoystickThatHoldsLeavesTheKeysUnasked) {
  input.tap(0x20);
  EXPECT_TRUE(held(4, {32767, 32767, 0x01}));
  EXPECT_TRUE(input.keysAsked.empty());
  EXPECT_TRUE(input.pressedSinceAsked[0x20]) << "the key's press stays pending for a later test";
}

TEST_F(JoystickFixture, SwitchedOffTheJoystickIsStillAskedButIgnored) {
  EXPECT_FALSE(held(0, {0, 32767, 0x01}, false));
  EXPECT_EQ(input.joystickQueries, 1);
}

TEST_F(JoystickFixture, EveryTestAsksTheJoystickAnew) {
  input.joystick = JoystickPosition{};
  Controls controls(input);
  for (int index = 0; index < kInputs; ++index) controls.held(index, true);
  EXPECT_EQ(input.joystickQueries, kInputs);
}

TEST_F(JoystickFixture, WithoutAJoystickTheKeysAnswer) {
  input.joystick.reset();
  Controls controls(input);
  input.hold(0x27);
  EXPECT_TRUE(controls.held(1, true));
  EXPECT_FALSE(controls.held(0, true));
}

}  // namespace
}  // namespace quorel
