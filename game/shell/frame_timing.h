#pragma once
// The two clocks of the scene loop: the frame pacing inside every present, which holds frames
// to 16 ms apart, and the frame wait with which each scene paces itself in milliseconds.
#include <cstdint>
#include <functional>

#include "game/platform/platform.h"

namespace quorel {

class FramePacer {
 public:
  explicit FramePacer(platform::Clock& clock) : clock_(clock) {}
  void pace();
  std::uint32_t frameBase() const { return frameBase_; }

 private:
  platform::Clock& clock_;
  std::uint32_t frameBase_ = 0;
  bool started_ = false;
};

class FrameWaiter {
 public:
  // `handleMessages` handles the pending window messages and answers whether the window is
  // still open; once it is not, waits return at once.
  FrameWaiter(platform::Clock& clock, platform::Input& input, std::function<bool()> handleMessages);
  void wait(std::uint32_t periodMilliseconds);
  std::uint32_t lastWaitEnd() const { return lastWaitEnd_; }

 private:
  platform::Clock& clock_;
  platform::Input& input_;
  std::function<bool()> handleMessages_;
  std::uint32_t lastWaitEnd_ = 0;
};

}  // namespace quorel
