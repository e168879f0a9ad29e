#include "game/platform/sdl_gamepad.h"

#include <algorithm>

namespace quorel::platform {

namespace {

constexpr std::uint32_t kLowEnd = 0;
constexpr std::uint32_t kCentre = 32767;
constexpr std::uint32_t kHighEnd = 65535;

// One axis from its two directions; when both are held the lower end wins, as a stick can
// point only one way.
std::uint32_t axisPosition(bool low, bool high) { return low ? kLowEnd : high ? kHighEnd : kCentre; }

}  // namespace

JoystickPosition gamepadPosition(const GamepadState& pad) {
  JoystickPosition position;
  position.x = axisPosition(pad.dpadLeft || pad.leftX <= -kGamepadStickThreshold,
                            pad.dpadRight || pad.leftX >= kGamepadStickThreshold);
  position.y = axisPosition(pad.dpadUp || pad.leftY <= -kGamepadStickThreshold,
                            pad.dpadDown || pad.leftY >= kGamepadStickThreshold);
  position.buttons = (pad.south ? 0x01u : 0u) | (pad.east ? 0x02u : 0u);
  return position;
}

int chooseInputDevice(std::span<const bool> isGameController) {
  if (isGameController.empty()) return -1;
  const auto controller = std::ranges::find(isGameController, true);
  return controller != isGameController.end() ? static_cast<int>(controller - isGameController.begin()) : 0;
}

}  // namespace quorel::platform
