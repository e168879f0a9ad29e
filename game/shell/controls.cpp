#include "game/shell/controls.h"

#include <cstdint>

namespace quorel {

namespace {

// Joystick buttons 1 or 5 act as button 1, buttons 2 or 6 as button 2.
constexpr std::uint32_t kButton1Mask = 0x01 | 0x10;
constexpr std::uint32_t kButton2Mask = 0x02 | 0x20;
// A direction counts only when the stick is pushed almost to the end of its range.
constexpr double kDeadZoneFactor = 1.2;

}  // namespace

Controls::Controls(platform::Input& input) : input_(input), caps_(input.joystickCaps()) {}

bool Controls::joystickHolds(int index, const platform::JoystickPosition& position) const {
  const double cx = static_cast<std::uint32_t>(caps_.xMin + caps_.xMax) >> 1;
  const double cy = static_cast<std::uint32_t>(caps_.yMin + caps_.yMax) >> 1;
  const double x = position.x;
  const double y = position.y;
  switch (index) {
    case 0: return x < cx - cx / kDeadZoneFactor;
    case 1: return x > cx + cx / kDeadZoneFactor;
    case 2: return y < cy - cy / kDeadZoneFactor;
    case 3: return y > cy + cy / kDeadZoneFactor;
    case 4: return (position.buttons & kButton1Mask) != 0;
    case 5: return (position.buttons & kButton2Mask) != 0;
    default: return false;
  }
}

bool Controls::held(int index, bool joystickOn) {
  if (index < 0 || index >= kInputs) return false;
  platform::JoystickPosition position;
  if (input_.joystickPosition(position) && joystickOn && joystickHolds(index, position)) return true;
  for (const int key : kKeyTable[static_cast<std::size_t>(index)]) {
    if (input_.asyncKeyState(key)) return true;
  }
  return false;
}

}  // namespace quorel
