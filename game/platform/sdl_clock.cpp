#include <chrono>
#include <thread>

#include "game/platform/sdl_backend.h"
#include "game/platform/sdl_spin_wait.h"

namespace quorel::platform {

namespace {

// Milliseconds of the steady clock, which counts from the system's start on the desktops we run
// on; cut to 32 bits, it wraps after 49.7 days as the game's clocks always did.
std::uint32_t steadyMilliseconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void sleepMilliseconds(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

std::uint32_t SdlClock::tickCount() { return steadyMilliseconds(); }

std::uint32_t SdlClock::multimediaTime() { return steadyMilliseconds(); }

void SdlClock::spinUntil(std::uint32_t base, std::uint32_t distance) {
  spinWait(steadyMilliseconds, sleepMilliseconds, base, distance);
}

void SdlClock::idle() { sleepMilliseconds(1); }

void SdlClock::sleep(std::uint32_t milliseconds) { sleepMilliseconds(milliseconds); }

}  // namespace quorel::platform
