#include "solver/solver.h"

#include <algorithm>
#include <chrono>

#include "solver/layout.h"
#include "solver/lurd.h"
#include "solver/merge_arithmetic.h"
#include "solver/search.h"

namespace quorel::solver {

namespace {

// Enough for every multiset of the built-in stages many times over; about a second at most.
constexpr std::uint64_t kValuesCheckEffort = 2'000'000;

// The clear-finder before the exact search: ten seconds at most, what the largest built-in
// stages need for a first clear, and done sooner once a round of its searches finds nothing
// shorter than the round before.
constexpr int kClearWidth = 1024;
constexpr std::uint64_t kClearStates = 20'000'000;
constexpr std::chrono::milliseconds kClearTime{10'000};
constexpr int kClearShare = 6;

}  // namespace

bool supportedBoard(const Stage& stage) {
  for (const auto& column : stage.board) {
    for (const int code : column) {
      if (code > kHighestCode) return false;
    }
  }
  return true;
}

StartPlace startPlace(const Stage& stage) {
  if (!onGrid(stage.startX, stage.startY)) return StartPlace::OffGrid;
  return stage.board[stage.startX][stage.startY] == kFloor ? StartPlace::Floor : StartPlace::NotFloor;
}

ValuesCheck checkValues(const Stage& stage) {
  ValuesCheck check;
  ValueCounts values;
  for (const auto& column : stage.board) {
    for (const int code : column) {
      if (!isBlock(code) || code > kHighestCode) continue;
      values.add(blockValue(code));
      ++check.blocks;
    }
  }
  if (check.blocks < 2) return check;
  MergeArithmetic arithmetic(stage.ngNumber, kValuesCheckEffort);
  const MergeArithmetic::Answer fewest = arithmetic.fewestMerges(values);
  check.decided = fewest.decided;
  check.clearable = fewest.decided && fewest.fewest != MergeArithmetic::kUnclearable;
  check.fewestMerges = check.clearable ? fewest.fewest : 0;
  return check;
}

// The clear-finder comes first: the clear it finds is a ceiling that spares the exact search
// every position that cannot beat it, and the exact search then either finds a cheaper clear and
// proves it the fewest, or rules out everything below the ceiling, which proves the finder's
// clear. When a limit stops the exact search, the finder's clear is the best known.
Result solve(const Stage& stage, const Control& control) {
  Result result;
  if (!supportedBoard(stage)) {
    result.stop = StopReason::UnsupportedBoard;
    return result;
  }
  const auto started = std::chrono::steady_clock::now();
  Control quick;
  quick.cancel = control.cancel;
  quick.progress = control.progress;
  quick.progressInterval = control.progressInterval;
  quick.limits.states = kClearStates;
  quick.limits.time = kClearTime;
  // A sixth of the caller's limits at most, so that a tight limit still stops soon.
  if (control.limits.states > 0) quick.limits.states = std::min(kClearStates, control.limits.states / kClearShare + 1);
  if (control.limits.time.count() > 0) {
    quick.limits.time = std::min(kClearTime, std::max(control.limits.time / kClearShare, std::chrono::milliseconds(1)));
  }
  Result some = findSomeClear(stage, quick, kClearWidth, true);
  if (some.stop == StopReason::Cancelled) return some;

  Control exact = control;
  const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  if (control.limits.time.count() > 0) exact.limits.time = std::max(control.limits.time - spent, std::chrono::milliseconds(1));
  const Layout layout(stage);
  const int ceiling = some.moves.empty() ? kNoCeiling : static_cast<int>(some.moves.size());
  // The finder's positions count as examined; the positions kept are the exact search's.
  Progress before;
  before.statesExpanded = some.counts.statesExpanded;
  before.elapsed = spent;
  SearchOutcome found = searchFewestMoves(layout, exact, ceiling, before);
  result.answer = found.answer;
  result.stop = found.stop;
  result.counts = found.counts;
  result.peakMemoryBytes = found.peakMemoryBytes;
  if (found.answer == Answer::Solved) {
    result.moves = std::move(found.moves);
    result.lurd = lurdOf(stage, result.moves).value_or("");
  } else if (!some.moves.empty()) {
    if (found.answer == Answer::NoSolution) {
      result.answer = Answer::Solved;  // nothing below the finder's count
      result.counts.lowerBound = static_cast<int>(some.moves.size());
    }
    result.moves = std::move(some.moves);
    result.lurd = std::move(some.lurd);
  }
  return result;
}

}  // namespace quorel::solver
