#pragma once
// The wait behind Clock::spinUntil. Spinning the whole wait would burn a core for nothing, while
// sleeping to the end would overshoot by the scheduler's slack; so it sleeps while more than a
// safety margin remains and spins only the last stretch, which keeps the end exact.
#include <cstdint>

namespace quorel::platform {

inline constexpr std::uint32_t kSpinMarginMs = 2;

// readMs() answers the clock in milliseconds; sleepMs(n) gives the processor away for about n.
template <class ReadMs, class SleepMs>
void spinWait(ReadMs readMs, SleepMs sleepMs, std::uint32_t base, std::uint32_t distance) {
  for (;;) {
    // Unsigned difference: right across the wrap of the 32-bit counter.
    const std::uint32_t elapsed = static_cast<std::uint32_t>(readMs() - base);
    if (elapsed >= distance) return;
    const std::uint32_t remaining = distance - elapsed;
    if (remaining > kSpinMarginMs) sleepMs(remaining - kSpinMarginMs);
  }
}

}  // namespace quorel::platform
