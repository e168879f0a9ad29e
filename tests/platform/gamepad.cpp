// Gamepads read through the joystick rules: the mapping, the choice among attached devices, and
// unplugging and plugging in, the last with SDL's virtual devices in place of hardware.
#include <SDL.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/platform/sdl_backend.h"
#include "game/platform/sdl_gamepad.h"
#include "game/shell/controls.h"

namespace quorel::platform {
namespace {

TEST(Gamepad, DpadAndLeftStickPointTheStickToItsEndAndFaceButtonsAreButtons1And2) {
  struct Case {
    const char* what;
    GamepadState pad;
    std::uint32_t x, y, buttons;
  };
  const auto pad = [](auto change) {
    GamepadState state;
    change(state);
    return state;
  };
  const Case cases[] = {
      {"at rest", {}, 32767, 32767, 0},
      {"d-pad left", pad([](GamepadState& p) { p.dpadLeft = true; }), 0, 32767, 0},
      {"d-pad right and up", pad([](GamepadState& p) { p.dpadRight = p.dpadUp = true; }), 65535, 0, 0},
      {"d-pad down", pad([](GamepadState& p) { p.dpadDown = true; }), 32767, 65535, 0},
      {"stick half left", pad([](GamepadState& p) { p.leftX = -16384; }), 0, 32767, 0},
      {"stick just short of half", pad([](GamepadState& p) { p.leftX = -16383; p.leftY = 16383; }), 32767, 32767, 0},
      {"stick full right, half down", pad([](GamepadState& p) { p.leftX = 32767; p.leftY = 16384; }), 65535, 65535, 0},
      {"stick full up", pad([](GamepadState& p) { p.leftY = -32768; }), 32767, 0, 0},
      {"d-pad left against stick right", pad([](GamepadState& p) { p.dpadLeft = true; p.leftX = 32767; }), 0, 32767, 0},
      {"south", pad([](GamepadState& p) { p.south = true; }), 32767, 32767, 0x01},
      {"east", pad([](GamepadState& p) { p.east = true; }), 32767, 32767, 0x02},
      {"both", pad([](GamepadState& p) { p.south = p.east = true; }), 32767, 32767, 0x03},
  };
  for (const Case& c : cases) {
    const JoystickPosition position = gamepadPosition(c.pad);
    EXPECT_EQ(position.x, c.x) << c.what;
    EXPECT_EQ(position.y, c.y) << c.what;
    EXPECT_EQ(position.buttons, c.buttons) << c.what;
  }
}

// The positions a gamepad gives must pass the game's own joystick rules as the inputs meant.
class OnePosition : public Input {
 public:
  explicit OnePosition(JoystickPosition position) : position_(position) {}
  bool asyncKeyState(int) override { return false; }
  JoystickCaps joystickCaps() override { return {}; }
  bool joystickPosition(JoystickPosition& position) override {
    position = position_;
    return true;
  }

 private:
  JoystickPosition position_;
};

TEST(Gamepad, TheGamesJoystickRulesReadItsPositionsUnderTheJoyStickSetting) {
  GamepadState pad;
  pad.dpadLeft = true;
  pad.leftY = 20000;
  pad.east = true;
  OnePosition input(gamepadPosition(pad));
  Controls controls(input);
  const std::vector<bool> expected = {true, false, false, true, false, true};
  for (int index = 0; index < kInputs; ++index) {
    EXPECT_EQ(controls.held(index, true), expected[static_cast<std::size_t>(index)]) << index;
    EXPECT_FALSE(controls.held(index, false)) << index;
  }
}

TEST(Gamepad, TheFirstGameControllerIsChosenElseTheFirstJoystick) {
  struct Case {
    std::vector<bool> isController;
    int chosen;
  };
  const Case cases[] = {{{}, -1}, {{false}, 0}, {{true}, 0}, {{false, false, true, true}, 2}, {{false, false}, 0}};
  for (const Case& c : cases) {
    const auto flags = std::make_unique<bool[]>(c.isController.size() + 1);
    for (std::size_t i = 0; i < c.isController.size(); ++i) flags[i] = c.isController[i];
    EXPECT_EQ(chooseInputDevice({flags.get(), c.isController.size()}), c.chosen) << ::testing::PrintToString(c.isController);
  }
}

// SDL's virtual devices stand in for hardware: a gamepad (known to SDL as a game controller)
// and a plain joystick, attached and detached while the game reads them.
class VirtualDevices : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  }
  void TearDown() override {
    for (SDL_Joystick* handle : handles_) SDL_JoystickClose(handle);
    for (int index = SDL_NumJoysticks() - 1; index >= 0; --index) {
      if (SDL_JoystickIsVirtual(index)) SDL_JoystickDetachVirtual(index);
    }
    SDL_QuitSubSystem(SDL_INIT_EVENTS | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
  }

  // Attaches a device and returns a handle of our own through which its state is set.
  SDL_Joystick* attach(bool gamepad) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = gamepad ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = gamepad ? SDL_CONTROLLER_AXIS_MAX : 2;
    desc.nbuttons = gamepad ? SDL_CONTROLLER_BUTTON_MAX : 6;
    desc.name = gamepad ? "virtual gamepad" : "virtual joystick";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* handle = SDL_JoystickOpen(index);
    EXPECT_NE(handle, nullptr) << SDL_GetError();
    handles_.push_back(handle);
    return handle;
  }
  void detach(SDL_Joystick* handle) {
    const SDL_JoystickID id = SDL_JoystickInstanceID(handle);
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
    }
    std::erase(handles_, handle);
    SDL_JoystickClose(handle);
  }

  std::vector<SDL_Joystick*> handles_;
};

TEST_F(VirtualDevices, AGamepadIsReadThroughItsMappingAndSurvivesUnplugging) {
  SdlEventPump pump;
  SdlInput input(pump);
  JoystickPosition position;
  EXPECT_FALSE(input.joystickPosition(position)) << "nothing attached";

  SDL_Joystick* pad = attach(true);
  ASSERT_TRUE(SDL_IsGameController(0)) << "SDL knows the virtual gamepad as a game controller";
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_PRESSED);
  ASSERT_TRUE(input.joystickPosition(position));
  EXPECT_EQ(position.buttons, 0x01u);
  EXPECT_EQ(position.x, 65535u);

  detach(pad);
  EXPECT_FALSE(input.joystickPosition(position)) << "unplugged: the keyboard alone";

  pad = attach(true);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_B, SDL_PRESSED);
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -32768);
  ASSERT_TRUE(input.joystickPosition(position)) << "plugged in again";
  EXPECT_EQ(position.buttons, 0x02u);
  EXPECT_EQ(position.y, 0u);
}

TEST_F(VirtualDevices, APlainJoystickKeepsItsRawAxesAndButtonsAndAGamepadTakesOverFromIt) {
  SdlEventPump pump;
  SdlInput input(pump);
  SDL_Joystick* stick = attach(false);
  SDL_JoystickSetVirtualButton(stick, 4, SDL_PRESSED);  // button 5
  SDL_JoystickSetVirtualAxis(stick, 0, -32768);
  JoystickPosition position;
  ASSERT_TRUE(input.joystickPosition(position));
  EXPECT_EQ(position.buttons, 0x10u);
  EXPECT_EQ(position.x, 0u);

  SDL_Joystick* pad = attach(true);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_B, SDL_PRESSED);
  ASSERT_TRUE(input.joystickPosition(position));
  EXPECT_EQ(position.buttons, 0x02u) << "the gamepad is read once it is attached";

  detach(pad);
  ASSERT_TRUE(input.joystickPosition(position));
  EXPECT_EQ(position.buttons, 0x10u) << "back to the joystick when the gamepad goes";
}

}  // namespace
}  // namespace quorel::platform
