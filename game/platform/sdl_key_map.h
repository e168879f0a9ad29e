#pragma once
// Where the Windows virtual-key codes that the game asks about sit on a keyboard, as SDL
// scancodes (which are USB HID usage numbers, so the places are layout-independent).
#include <span>
#include <vector>

namespace quorel::platform {

struct KeyPlace {
  int scancode;    // SDL_Scancode
  int virtualKey;  // Windows virtual-key code
};

// Every key the back end reports. One scancode appears at most once; one virtual key may sit at
// several places (both Enter keys, both Shift keys).
std::span<const KeyPlace> keyPlaces();

// 0 when the key at that place has no virtual-key code of ours.
int virtualKeyForScancode(int scancode);
std::vector<int> scancodesForVirtualKey(int virtualKey);

}  // namespace quorel::platform
