#include <algorithm>
#include <cstddef>
#include <memory>

#include "game/platform/sdl_backend.h"
#include "game/platform/sdl_gamepad.h"
#include "game/platform/sdl_key_map.h"

namespace quorel::platform {

SdlEventPump::SdlEventPump() { chooseDevice(); }

SdlEventPump::~SdlEventPump() { closeDevice(); }

void SdlEventPump::pump() {
  SDL_PumpEvents();
  SDL_Event batch[64];
  for (;;) {
    const int count = SDL_PeepEvents(batch, 64, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    if (count <= 0) break;
    for (int i = 0; i < count; ++i) handle(batch[i]);
  }
}

void SdlEventPump::takeMessages(std::vector<Event>& out) {
  out.insert(out.end(), messages_.begin(), messages_.end());
  messages_.clear();
}

bool SdlEventPump::takeRenderReset() {
  const bool reset = renderReset_;
  renderReset_ = false;
  return reset;
}

void SdlEventPump::handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: {
      keys_.keyDown(event.key.keysym.scancode);
      // Held keys repeat as further key-downs, which the window's key handler sees like any other.
      const int virtualKey = virtualKeyForScancode(event.key.keysym.scancode);
      if (virtualKey != 0) messages_.push_back({Event::Kind::KeyDown, virtualKey});
      break;
    }
    case SDL_KEYUP:
      keys_.keyUp(event.key.keysym.scancode);
      break;
    case SDL_QUIT:  // the window's close button, the window manager's close, or an interrupt
      messages_.push_back({Event::Kind::CloseRequest, 0});
      break;
    // A gamepad comes as a joystick and as a controller; either event makes the choice again,
    // which keeps the device that is already open when it is still the one to read.
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
      chooseDevice();
      break;
    case SDL_RENDER_DEVICE_RESET:
      renderReset_ = true;
      break;
    default:
      break;
  }
}

void SdlEventPump::chooseDevice() {
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  if (joystick_ != nullptr && !SDL_JoystickGetAttached(joystick_)) closeDevice();
  const bool controllers = SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0;
  const int count = SDL_NumJoysticks();
  const auto isController = std::make_unique<bool[]>(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) isController[static_cast<std::size_t>(i)] = controllers && SDL_IsGameController(i);
  const int chosen = chooseInputDevice({isController.get(), static_cast<std::size_t>(std::max(count, 0))});
  if (chosen < 0) return closeDevice();
  const bool wantController = isController[static_cast<std::size_t>(chosen)];
  if (joystick_ != nullptr && SDL_JoystickGetDeviceInstanceID(chosen) == SDL_JoystickInstanceID(joystick_) &&
      wantController == (controller_ != nullptr)) {
    return;
  }
  closeDevice();
  if (wantController) {
    controller_ = SDL_GameControllerOpen(chosen);
    joystick_ = controller_ != nullptr ? SDL_GameControllerGetJoystick(controller_) : nullptr;
  } else {
    joystick_ = SDL_JoystickOpen(chosen);
  }
}

void SdlEventPump::closeDevice() {
  if (controller_ != nullptr) {
    SDL_GameControllerClose(controller_);  // closes its joystick too
  } else if (joystick_ != nullptr) {
    SDL_JoystickClose(joystick_);
  }
  controller_ = nullptr;
  joystick_ = nullptr;
}

}  // namespace quorel::platform
