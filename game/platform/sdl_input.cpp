#include <algorithm>

#include "game/platform/sdl_backend.h"
#include "game/platform/sdl_gamepad.h"
#include "game/platform/sdl_geometry.h"

namespace quorel::platform {

bool SdlInput::asyncKeyState(int virtualKey) {
  // The key state must be as of now, not as of the last message pump: take in what has arrived.
  pump_.pump();
  return pump_.keys().ask(virtualKey);
}

namespace {

GamepadState readGamepad(SDL_GameController* pad) {
  const auto down = [pad](SDL_GameControllerButton button) { return SDL_GameControllerGetButton(pad, button) != 0; };
  GamepadState state;
  state.dpadLeft = down(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  state.dpadRight = down(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  state.dpadUp = down(SDL_CONTROLLER_BUTTON_DPAD_UP);
  state.dpadDown = down(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  state.leftX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
  state.leftY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
  state.south = down(SDL_CONTROLLER_BUTTON_A);  // SDL names the face buttons by their places
  state.east = down(SDL_CONTROLLER_BUTTON_B);
  return state;
}

}  // namespace

bool SdlInput::joystickPosition(JoystickPosition& position) {
  pump_.pump();
  SDL_Joystick* joystick = pump_.joystick();
  if (joystick == nullptr || !SDL_JoystickGetAttached(joystick)) return false;
  if (SDL_GameController* pad = pump_.controller()) {
    position = gamepadPosition(readGamepad(pad));
    return true;
  }
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
