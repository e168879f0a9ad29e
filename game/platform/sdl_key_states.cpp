#include "game/platform/sdl_key_states.h"

#include "game/platform/sdl_key_map.h"

namespace quorel::platform {

KeyStates::KeyStates() {
  for (const auto& place : keyPlaces()) places_[place.virtualKey].push_back(place.scancode);
}

void KeyStates::keyDown(int scancode) {
  if (scancode < 0 || scancode >= kScancodes) return;
  down_[scancode] = true;
  if (const int virtualKey = virtualKeyForScancode(scancode); virtualKey != 0) {
    pressedSinceAsked_[virtualKey] = true;
  }
}

void KeyStates::keyUp(int scancode) {
  if (scancode < 0 || scancode >= kScancodes) return;
  down_[scancode] = false;
}

bool KeyStates::ask(int virtualKey) {
  if (virtualKey < 0 || virtualKey >= kVirtualKeys) return false;
  const bool pressed = pressedSinceAsked_[virtualKey];
  pressedSinceAsked_[virtualKey] = false;
  return pressed || held(virtualKey);
}

bool KeyStates::held(int virtualKey) const {
  // Either of two keys (left or right Shift, both Enters) holds the one virtual key down.
  for (const int scancode : places_[virtualKey]) {
    if (down_[scancode]) return true;
  }
  return false;
}

}  // namespace quorel::platform
