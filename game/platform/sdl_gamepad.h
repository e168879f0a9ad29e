#pragma once
// Gamepads, kept apart from SDL so that the mapping and the choice of device can be checked
// without one: a gamepad known to SDL's controller database is read as a joystick whose stick
// is at the end of its travel in the direction the d-pad or the left stick points, with its
// south and east buttons as buttons 1 and 2. The game's joystick rules then apply unchanged.
#include <cstdint>
#include <span>

#include "game/platform/platform.h"

namespace quorel::platform {

struct GamepadState {
  bool dpadLeft = false, dpadRight = false, dpadUp = false, dpadDown = false;
  std::int16_t leftX = 0, leftY = 0;  // SDL's axes: -32768 (left, up) to 32767 (right, down)
  bool south = false, east = false;   // the bottom and right face buttons
};

// Half the stick's travel counts as a direction: a gamepad's stick is pushed by a thumb, not a
// whole hand.
inline constexpr int kGamepadStickThreshold = 16384;

JoystickPosition gamepadPosition(const GamepadState& pad);

// The device the game reads among those attached, in SDL's order (true where SDL knows the
// device as a game controller): the first game controller, else the first joystick; -1 when
// there is none.
int chooseInputDevice(std::span<const bool> isGameController);

}  // namespace quorel::platform
