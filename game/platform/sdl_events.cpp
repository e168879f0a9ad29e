#include <cstddef>

#include "game/platform/sdl_backend.h"
#include "game/platform/sdl_key_map.h"

namespace quorel::platform {

SdlEventPump::SdlEventPump() { openFirstJoystick(); }

SdlEventPump::~SdlEventPump() { closeJoystick(); }

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
    case SDL_JOYDEVICEADDED:
      if (joystick_ == nullptr) openFirstJoystick();
      break;
    case SDL_JOYDEVICEREMOVED:
      if (joystick_ != nullptr && event.jdevice.which == SDL_JoystickInstanceID(joystick_)) {
        closeJoystick();
        openFirstJoystick();
      }
      break;
    case SDL_RENDER_DEVICE_RESET:
      renderReset_ = true;
      break;
    default:
      break;
  }
}

void SdlEventPump::openFirstJoystick() {
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0 || SDL_NumJoysticks() <= 0) return;
  joystick_ = SDL_JoystickOpen(0);
}

void SdlEventPump::closeJoystick() {
  if (joystick_ != nullptr) SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
}

}  // namespace quorel::platform
