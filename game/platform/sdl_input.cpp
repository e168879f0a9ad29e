#include <algorithm>

#include "game/platform/sdl_backend.h"
#include "game/platform/sdl_geometry.h"

namespace quorel::platform {

bool SdlInput::asyncKeyState(int virtualKey) {
  // The key state must be as of now, not as of the last message pump: take in what has arrived.
  pump_.pump();
  return pump_.keys().ask(virtualKey);
}

bool SdlInput::joystickPosition(JoystickPosition& position) {
  pump_.pump();
  SDL_Joystick* joystick = pump_.joystick();
  if (joystick == nullptr || !SDL_JoystickGetAttached(joystick)) return false;
  position.x = joystickAxisValue(SDL_JoystickGetAxis(joystick, 0));
  position.y = joystickAxisValue(SDL_JoystickGetAxis(joystick, 1));
  position.buttons = 0;
  const int buttons = std::min(SDL_JoystickNumButtons(joystick), 32);
  for (int i = 0; i < buttons; ++i) {
    if (SDL_JoystickGetButton(joystick, i) != 0) position.buttons |= 1u << i;
  }
  return true;
}

}  // namespace quorel::platform
