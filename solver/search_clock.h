#pragma once
// The clock of a search that settles for a clear: progress reports as often as the caller asks,
// and the caller's cancel flag and time limit, checked as the search goes.
#include <chrono>
#include <cstdint>

#include "solver/solver.h"

namespace quorel::solver {

class SearchClock {
 public:
  using Clock = std::chrono::steady_clock;

  explicit SearchClock(const Control& control) : control_(control), started_(Clock::now()), lastReport_(started_) {}

  std::chrono::milliseconds elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_);
  }

  // Reports progress when one is due, then says why the search must stop, if it must: the cancel
  // flag, the time limit, or `stateLimit` positions expanded (0 for none).
  StopReason check(std::uint64_t expanded, std::uint64_t stateLimit) {
    const auto now = Clock::now();
    if (control_.progress && now - lastReport_ >= control_.progressInterval) {
      lastReport_ = now;
      Progress progress;
      progress.statesExpanded = expanded;
      progress.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - started_);
      control_.progress(progress);
    }
    if (control_.cancel != nullptr && control_.cancel->load()) return StopReason::Cancelled;
    if (control_.limits.time.count() > 0 && now - started_ >= control_.limits.time) return StopReason::TimeLimit;
    if (stateLimit > 0 && expanded >= stateLimit) return StopReason::StateLimit;
    return StopReason::None;
  }

 private:
  const Control& control_;
  Clock::time_point started_, lastReport_;
};

}  // namespace quorel::solver
