#pragma once
// Checking a stage while it is designed: what is plain without a search (a start off the floor,
// block values that no order of merges clears), the search on a thread of its own, the report
// of its answer, and the positions that replay a clear step by step.
#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/stage_set.h"
#include "solver/solver.h"

namespace quorel::editor {

struct CheckWarnings {
  std::vector<std::string> lines;  // one per fault, empty when there is nothing to say
  bool unclearable = false;        // the values alone rule out every clear; no search is needed
};
CheckWarnings warningsBeforeSearch(const solver::Stage& stage);

// What the editor's search may take before it answers "unknown"; the designer can cancel sooner.
solver::Limits checkLimits();

// The progress dialog's text while the search runs.
std::string progressText(const solver::Progress& progress);

struct CheckReport {
  std::string text;
  bool replayable = false;  // the result carries a clear to show
};
CheckReport reportOf(const solver::Result& result);

// The stage after each step of a move string, played through the game's own step rules; the
// first frame is the start. Ends at a letter that is no step and after a step that ends the
// attempt (the clear).
struct ReplayFrame {
  Board board{};
  int playerX = 0, playerY = 0;
  int blockMoves = 0;
  bool blockMoved = false;  // this step pushed a block
};
std::vector<ReplayFrame> replayFrames(const solver::Stage& stage, std::string_view lurd);

// solve() on a thread of its own. Both callbacks run on that thread; `finished` runs exactly
// once, also after cancel(). The destructor cancels and waits for the thread.
class BackgroundSolve {
 public:
  using Finished = std::function<void(const solver::Result&)>;
  BackgroundSolve(const solver::Stage& stage, const solver::Limits& limits, solver::ProgressCallback progress,
                  Finished finished);
  ~BackgroundSolve();
  BackgroundSolve(const BackgroundSolve&) = delete;
  BackgroundSolve& operator=(const BackgroundSolve&) = delete;

  void cancel() { cancel_ = true; }

 private:
  std::atomic<bool> cancel_{false};
  std::thread thread_;
};

}  // namespace quorel::editor
