#pragma once
// The one way the scenes read the controls: six inputs, each answered from the first joystick
// (when the JOY STICK setting is on) or from three keys.
#include <array>

#include "game/platform/platform.h"
#include "game/platform/virtual_keys.h"

namespace quorel {

// The six inputs.
inline constexpr int kInputLeft = 0;
inline constexpr int kInputRight = 1;
inline constexpr int kInputUp = 2;
inline constexpr int kInputDown = 3;
inline constexpr int kButton1 = 4;  // decide, run
inline constexpr int kButton2 = 5;  // back, pause
inline constexpr int kInputs = 6;

// Three virtual-key codes per input, tested in this order. The OEM codes are named after the
// key that produces them on the Japanese 106-key layout.
inline constexpr std::array<std::array<int, 3>, kInputs> kKeyTable = {{
    {vk::numpad(4), vk::kLeft, vk::kOemPlus},         // Left: keypad 4, Left arrow, semicolon
    {vk::numpad(6), vk::kRight, vk::kOem6},           // Right: keypad 6, Right arrow, right square bracket
    {vk::numpad(8), vk::kUp, vk::kOem3},              // Up: keypad 8, Up arrow, at sign
    {vk::numpad(2), vk::kDown, vk::letter('P')},      // Down: keypad 2, Down arrow, P
    {vk::kSpace, vk::letter('Z'), vk::kOem2},         // button 1: Space, Z, slash
    {vk::kReturn, vk::letter('X'), vk::kOem102},      // button 2: Enter, X, backslash right of the bottom letter row
}};

class Controls {
 public:
  // Reads the joystick's ranges once; they are kept for the whole run.
  explicit Controls(platform::Input& input);
  // Whether input `index` (0 Left, 1 Right, 2 Up, 3 Down, 4 button 1, 5 button 2) is held now.
  // The joystick is asked on every call, also when `joystickOn` is off.
  bool held(int index, bool joystickOn);

 private:
  bool joystickHolds(int index, const platform::JoystickPosition& position) const;

  platform::Input& input_;
  platform::JoystickCaps caps_;
};

}  // namespace quorel
