#pragma once
// The real back end: a window or the whole desktop, the keyboard, a gamepad or the first
// joystick, the sound device and message boxes, over SDL2.
#include <memory>

#include "game/platform/platform.h"

namespace quorel::platform {

// Never null. A machine without a display or a sound device still gets a platform: opening the
// display or the audio then reports failure, as the game expects to be told.
std::unique_ptr<Platform> createSdlPlatform();

}  // namespace quorel::platform
