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

// The clear-finder runs twice around the exact search. First briefly: a clear caps the exact
// search, and on most stages the first rounds already find the fewest, which the exact search
// then only has to prove. Then, only when the exact search could not settle the stage, with the
// time kept back for it: ten seconds at most, what the largest built-in stages need for a first
// clear, so that the answer "unknown" still comes with the best clear there is. A stage the
// exact search settles pays only for the brief first run.
constexpr int kClearWidth = 1024;
constexpr std::uint64_t kClearStates = 20'000'000;
constexpr std::chrono::milliseconds kFirstClearTime{2'000};
constexpr int kFirstClearShare = 30;
constexpr std::chrono::milliseconds kClearTime{10'000};
constexpr int kClearShare = 6;
// Quarters of what a time limit leaves that the planned clear may take when the finder found no
// clear: most of it, as without a clear for a ceiling the exact search seldom settles such a stage.
constexpr int kPlannedQuarters = 3;
constexpr std::chrono::milliseconds kNoTime{0};

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds since(Clock::time_point started) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
}

// The finder's own control: the caller's cancel and progress, a share of the caller's state
// limit, and `time` (never above what the caller has left).
Control finderControl(const Control& control, std::chrono::milliseconds time) {
  Control quick;
  quick.cancel = control.cancel;
  quick.progress = control.progress;
  quick.progressInterval = control.progressInterval;
  quick.limits.states = kClearStates;
  if (control.limits.states > 0) quick.limits.states = std::min(kClearStates, control.limits.states / kClearShare + 1);
  quick.limits.time = std::max(time, std::chrono::milliseconds(1));
  quick.limits.memoryBytes = control.limits.memoryBytes;
  return quick;
}

// The finder's second run: what the caller's time limit leaves at `spent`, ten seconds at most.
std::chrono::milliseconds secondClearTime(const Control& control, std::chrono::milliseconds spent) {
  if (control.limits.time.count() == 0) return kClearTime;
  return std::clamp(control.limits.time - spent, std::chrono::milliseconds(1), kClearTime);
}

// The finder's second run reports on from where the exact search stopped, so that a progress
// display never sees its counts or its proved bound go back.
ProgressCallback reportingOnFrom(const ProgressCallback& progress, const Progress& before) {
  if (!progress) return {};
  return [progress, before](const Progress& now) {
    Progress shown = now;
    shown.statesExpanded += before.statesExpanded;
    shown.statesStored = before.statesStored;
    shown.elapsed += before.elapsed;
    shown.lowerBound = std::max(now.lowerBound, before.lowerBound);
    shown.memoryBytes = std::max(now.memoryBytes, before.memoryBytes);
    progress(shown);
  };
}

// When the finder's first run found no clear: a longer run finds one on most stages. The finder's
// searches do not look ahead to what must strike away the blocks that can never move, though, and
// on a stage full of them the plans for doing so find the clear they miss.
Result clearWithoutAFirst(const Stage& stage, const Control& control, Clock::time_point started, Result first) {
  const bool timed = control.limits.time.count() > 0;
  const auto longer = timed ? std::min(kClearTime, control.limits.time / kClearShare) : kClearTime;
  Control again = finderControl(control, longer);
  again.progress = reportingOnFrom(control.progress, first.counts);
  Result some = findSomeClear(stage, again, kClearWidth, true);
  some.counts.statesExpanded += first.counts.statesExpanded;
  if (!some.moves.empty() || some.stop == StopReason::Cancelled) return some;
  Control planned = finderControl(control, (control.limits.time - since(started)) * kPlannedQuarters / 4);
  if (!timed) planned.limits.time = kNoTime;
  planned.progress = reportingOnFrom(control.progress, some.counts);
  Result plannedClear = findPlannedClear(stage, planned);
  plannedClear.counts.statesExpanded += some.counts.statesExpanded;
  return plannedClear;
}

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
// clear. When a limit stops the exact search, the finder has the time kept back for a better
// clear, and the best it knows is the answer's.
Result solve(const Stage& stage, const Control& control) {
  Result result;
  if (!supportedBoard(stage)) {
    result.stop = StopReason::UnsupportedBoard;
    return result;
  }
  const auto started = Clock::now();
  const bool timed = control.limits.time.count() > 0;
  const auto firstTime = timed ? std::min(kFirstClearTime, control.limits.time / kFirstClearShare) : kFirstClearTime;
  Result some = findSomeClear(stage, finderControl(control, firstTime), kClearWidth, true);
  if (some.stop == StopReason::Cancelled) return some;
  if (some.moves.empty()) {
    some = clearWithoutAFirst(stage, control, started, std::move(some));
    if (some.stop == StopReason::Cancelled) return some;
  }

  Control exact = control;
  const auto spent = since(started);
  if (timed) {
    // Without a first clear the finder keeps back more of the time: a clear is what a designer
    // most wants to see when the proof does not finish.
    const int keptShare = some.moves.empty() ? kClearShare : kFirstClearShare;
    const auto keptBack = std::min(kClearTime, control.limits.time / keptShare);
    exact.limits.time = std::max(control.limits.time - spent - keptBack, std::chrono::milliseconds(1));
  }
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
  result.peakMemoryBytes = std::max(found.peakMemoryBytes, some.peakMemoryBytes);
  if (found.answer == Answer::Solved) {
    result.moves = std::move(found.moves);
    result.lurd = lurdOf(stage, result.moves).value_or("");
    return result;
  }
  if (found.answer == Answer::NoSolution) {
    if (!some.moves.empty()) {
      result.answer = Answer::Solved;  // nothing below the finder's count
      result.counts.lowerBound = static_cast<int>(some.moves.size());
      result.moves = std::move(some.moves);
      result.lurd = std::move(some.lurd);
    }
    return result;
  }
  if (found.stop != StopReason::Cancelled) {
    Control again = finderControl(control, secondClearTime(control, since(started)));
    again.progress = reportingOnFrom(control.progress, found.counts);
    Result more = findSomeClear(stage, again, kClearWidth, false);
    result.counts.statesExpanded += more.counts.statesExpanded;
    result.counts.elapsed = since(started);
    result.peakMemoryBytes = std::max(result.peakMemoryBytes, more.peakMemoryBytes);
    if (!more.moves.empty() && (some.moves.empty() || more.moves.size() < some.moves.size())) some = std::move(more);
  }
  result.moves = std::move(some.moves);
  result.lurd = std::move(some.lurd);
  return result;
}

}  // namespace quorel::solver
