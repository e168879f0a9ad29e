#pragma once
// The keyboard as the game asks about it: by virtual-key code, "down now, or pressed since the
// previous ask for that key". Fed with key events by the event pump.
#include <array>
#include <vector>

namespace quorel::platform {

class KeyStates {
 public:
  KeyStates();
  void keyDown(int scancode);  // key repeats too: they keep the key down and mark it pressed
  void keyUp(int scancode);
  // Clears the pressed-since bit of that key, so a tap is reported exactly once.
  bool ask(int virtualKey);

 private:
  static constexpr int kScancodes = 512;
  static constexpr int kVirtualKeys = 256;
  bool held(int virtualKey) const;
  std::array<bool, kScancodes> down_{};
  std::array<bool, kVirtualKeys> pressedSinceAsked_{};
  std::array<std::vector<int>, kVirtualKeys> places_;
};

}  // namespace quorel::platform
