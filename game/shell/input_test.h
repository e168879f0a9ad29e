#pragma once
// The one way the scenes read the controls: six inputs, each answered from the first joystick
// (when the JOY STICK setting is on) or from three keys.
#include <array>

#include "game/platform/platform.h"

namespace quorel {

inline constexpr int kInputs = 6;

// Three virtual-key codes per input, tested in this order. The OEM codes are named after the
// key that produces them on the Japanese 106-key layout.
inline constexpr std::array<std::array<int, 3>, kInputs> kKeyTable = {{
    {0x64, 0x25, 0xBB},  // Left: keypad 4, Left arrow, semicolon
    {0x66, 0x27, 0xDD},  // Right: keypad 6, Right arrow, right square bracket
    {0x68, 0x26, 0xC0},  // Up: keypad 8, Up arrow, at sign
    {0x62, 0x28, 0x50},  // Down: keypad 2, Down arrow, P
    {0x20, 0x5A, 0xBF},  // button 1: Space, Z, slash
    {0x0D, 0x58, 0xE2},  // button 2: Enter, X, backslash right of the bottom letter row
}};

class InputTest {
 public:
  // Reads the joystick's ranges once; they are kept for the whole run.
  explicit InputTest(platform::Input& input);
  // Whether input `index` (0 Left, 1 Right, 2 Up, 3 Down, 4 button 1, 5 button 2) is held now.
  // The joystick is asked on every call, also when `joystickOn` is off.
  bool held(int index, bool joystickOn);

 private:
  bool joystickHolds(int index, const platform::JoystickPosition& position) const;

  platform::Input& input_;
  platform::JoystickCaps caps_;
};

}  // namespace quorel
