#include "game/shell/frame_timing.h"

#include <utility>

#include "game/platform/virtual_keys.h"

namespace quorel {

namespace {

constexpr std::uint32_t kLateAfter = 17;
// The spin waits for 1000 / 60 ms, which on a millisecond clock ends 17 ms after the base, but
// the base moves on by the truncated 16: frames that are on time come 16 ms apart.
constexpr std::uint32_t kSpinDistance = 17;
constexpr std::uint32_t kFrameAdvance = 16;

}  // namespace

void FramePacer::pace() {
  if (!started_) {
    frameBase_ = clock_.tickCount();
    started_ = true;
  }
  const std::uint32_t elapsed = clock_.multimediaTime() - frameBase_;
  if (elapsed > kLateAfter) {
    // A late frame starts a new cadence; the lost time is never caught up.
    frameBase_ = clock_.tickCount();
    return;
  }
  clock_.spinUntil(frameBase_, kSpinDistance);
  frameBase_ += kFrameAdvance;
}

FrameWaiter::FrameWaiter(platform::Clock& clock, platform::Input& input, std::function<bool()> handleMessages)
    : clock_(clock), input_(input), handleMessages_(std::move(handleMessages)) {}

void FrameWaiter::wait(std::uint32_t periodMilliseconds) {
  if (input_.asyncKeyState(vk::kShift)) return;
  const std::uint32_t end = lastWaitEnd_ + periodMilliseconds;
  while (clock_.tickCount() < end) {
    if (!handleMessages_()) return;
    clock_.idle();
  }
  lastWaitEnd_ = clock_.tickCount();
}

}  // namespace quorel
