#include "solver/solver.h"

#include "solver/layout.h"
#include "solver/lurd.h"
#include "solver/merge_arithmetic.h"
#include "solver/search.h"

namespace quorel::solver {

namespace {

// Enough for every multiset of the built-in stages many times over; about a second at most.
constexpr std::uint64_t kValuesCheckEffort = 2'000'000;

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

Result solve(const Stage& stage, const Control& control) {
  Result result;
  if (!supportedBoard(stage)) {
    result.stop = StopReason::UnsupportedBoard;
    return result;
  }
  const Layout layout(stage);
  SearchOutcome found = searchFewestMoves(layout, control);
  result.answer = found.answer;
  result.stop = found.stop;
  result.counts = found.counts;
  result.peakMemoryBytes = found.peakMemoryBytes;
  result.moves = std::move(found.moves);
  if (!result.moves.empty()) result.lurd = lurdOf(stage, result.moves).value_or("");
  return result;
}

}  // namespace quorel::solver
