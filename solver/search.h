#pragma once
// The best-first search over block moves behind solve(): A* on whole positions, the player's
// reachable area folded into each, worked on by several threads one layer at a time.
#include "solver/layout.h"
#include "solver/solver.h"

namespace quorel::solver {

struct SearchOutcome {
  Answer answer = Answer::Unknown;
  std::vector<BlockMove> moves;
  StopReason stop = StopReason::None;
  Progress counts;
  std::size_t peakMemoryBytes = 0;
};

inline constexpr int kNoCeiling = 0x7fffffff;

// Looks for the fewest block moves below `ceiling`: NoSolution then means none below it. The
// counts, in progress reports too, start from `before` (an earlier search's).
SearchOutcome searchFewestMoves(const Layout& layout, const Control& control, int ceiling, const Progress& before);

}  // namespace quorel::solver
