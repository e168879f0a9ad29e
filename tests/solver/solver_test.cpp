#include "solver/solver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>
#include <string>

#include "tests/solver/solver_fixtures.h"

namespace quorel {
namespace {

using solver::Answer;
using solver::StopReason;

struct KnownStage {
  const char* name;
  solver::Stage stage;
  Answer answer;
  int moves;  // when solved
};

void expectAnswer(const KnownStage& known, const solver::Result& result) {
  ASSERT_EQ(result.answer, known.answer);
  if (known.answer != Answer::Solved) {
    EXPECT_TRUE(result.moves.empty());
    return;
  }
  EXPECT_EQ(static_cast<int>(result.moves.size()), known.moves);
  EXPECT_EQ(result.counts.lowerBound, known.moves);
  // The move string, played through the game's own steps frame by frame, clears the stage with
  // exactly that many block moves.
  const test::PlayedMoves played = test::playThroughGame(known.stage, result.lurd);
  EXPECT_TRUE(played.followed) << result.lurd;
  EXPECT_EQ(played.result, StageResult::Cleared) << result.lurd;
  EXPECT_EQ(played.blockMoves, known.moves) << result.lurd;
}

TEST(Solver, HandMadeStagesGetTheirKnownAnswers) {
  const KnownStage cases[] = {
      {"a dividing pair side by side", test::stageOf({"111111", "10BD01", "111111"}, 1, 1, 25), Answer::Solved, 1},
      {"three pushes before the merge", test::stageOf({"1111111111", "10B000D001", "1111111111"}, 1, 1, 25),
       Answer::Solved, 4},
      {"a remainder merged on", test::stageOf({"1111111", "10ECA01", "1111111"}, 1, 1, 25), Answer::Solved, 2},
      // The same stage, but 5 into 3 leaves 2, the NG number, and no other order clears it.
      {"lost only through the NG number", test::stageOf({"1111111", "10ECA01", "1111111"}, 1, 1, 2),
       Answer::NoSolution, 0},
      {"the last merge leaves one block", test::stageOf({"111111", "10BC01", "111111"}, 1, 1, 25),
       Answer::NoSolution, 0},
      // D can only be pushed away from B; the player never gets beyond D to push it back.
      {"the player never gets behind a block",
       test::stageOf({"1111111", "1B00D01", "1110111", "1110111", "1111111"}, 3, 3, 25), Answer::NoSolution, 0},
      {"walls around a pocket no block can leave", test::stageOf({"11111", "1B111", "10D01", "11111"}, 3, 2, 25),
       Answer::NoSolution, 0},
      // Beyond the grid is a wall: no one stands there to push B into D.
      {"blocks on the grid's edge", test::stageOf({"BD1", "001"}, 0, 1, 25), Answer::NoSolution, 0},
      {"a start off the grid pushes from there", test::stageOf({"BD1", "001"}, -1, 0, 25), Answer::Solved, 1},
      {"a start on a wall steps off it", test::stageOf({"111111", "10BD01", "111111"}, 0, 1, 25), Answer::Solved, 1},
      {"a code from 2 to 9 stops a push", test::stageOf({"1111111", "10B5D01", "1111111"}, 1, 1, 25),
       Answer::NoSolution, 0},
      {"the same with floor", test::stageOf({"1111111", "10B0D01", "1111111"}, 1, 1, 25), Answer::Solved, 2},
      {"a code from 2 to 9 is walked over", test::stageOf({"11111111", "1050BD01", "11111111"}, 1, 1, 25),
       Answer::Solved, 1},
      {"no blocks", test::stageOf({"1111", "1001", "1111"}, 1, 1, 25), Answer::NoSolution, 0},
      {"one block", test::stageOf({"11111", "100B1", "11111"}, 1, 1, 25), Answer::NoSolution, 0},
  };
  for (const KnownStage& known : cases) {
    SCOPED_TRACE(known.name);
    expectAnswer(known, solver::solve(known.stage));
  }
}

TEST(Solver, BuiltInStagesThatSolveQuicklyGetTheirFewestMoves) {
  const GameStageSlots set = builtInStages();
  const struct {
    int stage;
    int moves;
  } cases[] = {{1, 12}, {2, 20}, {4, 12}, {11, 31}};
  for (const auto& [stage, moves] : cases) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    expectAnswer({"built-in", solver::stageOf(set, stage), Answer::Solved, moves},
                 solver::solve(solver::stageOf(set, stage)));
  }
}

TEST(Solver, SomeClearIsAClearButProvesNothing) {
  const GameStageSlots set = builtInStages();
  // Without a time limit every search of the one round runs to its end: the same clear each run.
  for (const int stage : {2, 4}) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const solver::Result some = solver::findSomeClear(solver::stageOf(set, stage), {}, 16);
    EXPECT_EQ(some.answer, Answer::Unknown);
    ASSERT_FALSE(some.moves.empty());
    const test::PlayedMoves played = test::playThroughGame(solver::stageOf(set, stage), some.lurd);
    EXPECT_TRUE(played.followed);
    EXPECT_EQ(played.result, StageResult::Cleared);
    EXPECT_EQ(played.blockMoves, static_cast<int>(some.moves.size()));
  }
  // Never below the fewest, also when a limit ends it early.
  solver::Control control;
  control.limits.time = std::chrono::seconds(2);
  const solver::Result some = solver::findSomeClear(solver::stageOf(set, 3), control);
  if (!some.moves.empty()) {
    EXPECT_GE(some.moves.size(), 17U);
  }
  EXPECT_TRUE(solver::findSomeClear(test::stageOf({"111111", "10BC01", "111111"}, 1, 1, 25)).moves.empty());
}

// The caller's memory limit holds for the finder's tables too: its searches end when they reach
// it, and a clear it still finds is a real one.
TEST(Solver, SomeClearKeepsToTheMemoryLimit) {
  const solver::Stage stage = solver::stageOf(builtInStages(), 4);
  const solver::Result unlimited = solver::findSomeClear(stage, {}, 16);
  solver::Control control;
  control.limits.memoryBytes = unlimited.peakMemoryBytes * 2 / 3;
  const solver::Result limited = solver::findSomeClear(stage, control, 16);
  EXPECT_LE(limited.peakMemoryBytes, control.limits.memoryBytes + (std::size_t{64} << 10));
  EXPECT_LT(limited.peakMemoryBytes, unlimited.peakMemoryBytes);
  if (!limited.moves.empty()) {
    EXPECT_EQ(test::playThroughGame(stage, limited.lurd).result, StageResult::Cleared);
  }
}

// A block in a corner can never move: the plan strikes it with the 4, leaving 2, and the 2
// clears the rest. Where no block is fixed in place there is nothing to plan.
TEST(Solver, PlannedClearStrikesAwayTheBlocksThatCannotMove) {
  const solver::Stage cornered = test::stageOf({"1111111", "1F00001", "1000D01", "100B001", "1000001", "1111111"}, 5, 4, 25);
  const solver::Result planned = solver::findPlannedClear(cornered);
  EXPECT_EQ(planned.answer, Answer::Unknown);
  ASSERT_FALSE(planned.moves.empty());
  const test::PlayedMoves played = test::playThroughGame(cornered, planned.lurd);
  EXPECT_TRUE(played.followed) << planned.lurd;
  EXPECT_EQ(played.result, StageResult::Cleared);
  EXPECT_EQ(played.blockMoves, static_cast<int>(planned.moves.size()));

  EXPECT_TRUE(solver::findPlannedClear(test::stageOf({"1111111111", "10B000D001", "1111111111"}, 1, 1, 25)).moves.empty());
}

// Small stages whose fewest moves are known: the finder's searches reach them, and what it gives
// is a clear with exactly the moves it counts. Where no clear exists it gives none and still ends.
TEST(Solver, SomeClearOnSmallStagesFindsTheFewest) {
  const KnownStage cases[] = {
      {"three pushes before the merge", test::stageOf({"1111111111", "10B000D001", "1111111111"}, 1, 1, 25),
       Answer::Solved, 4},
      {"a remainder merged on", test::stageOf({"1111111", "10ECA01", "1111111"}, 1, 1, 25), Answer::Solved, 2},
      // E and C must meet first, leaving 2 for A; A beside E has to get out of the way. The
      // fewest moves are solve()'s.
      {"one order of merges, a block out of the way",
       test::stageOf({"1111111111", "1000000001", "1000000001", "10EA000C01", "1000000001", "1000000001",
                      "1111111111"},
                     1, 1, 25),
       Answer::Solved, 0},
      {"lost only through the NG number", test::stageOf({"1111111", "10ECA01", "1111111"}, 1, 1, 2),
       Answer::NoSolution, 0},
      {"the player never gets behind a block",
       test::stageOf({"1111111", "1B00D01", "1110111", "1110111", "1111111"}, 3, 3, 25), Answer::NoSolution, 0},
  };
  for (const KnownStage& known : cases) {
    SCOPED_TRACE(known.name);
    const solver::Result some = solver::findSomeClear(known.stage);
    EXPECT_EQ(some.answer, Answer::Unknown);
    if (known.answer == Answer::NoSolution) {
      EXPECT_TRUE(some.moves.empty());
      continue;
    }
    const int fewest = known.moves > 0 ? known.moves : static_cast<int>(solver::solve(known.stage).moves.size());
    EXPECT_EQ(static_cast<int>(some.moves.size()), fewest);
    const test::PlayedMoves played = test::playThroughGame(known.stage, some.lurd);
    EXPECT_TRUE(played.followed) << some.lurd;
    EXPECT_EQ(played.result, StageResult::Cleared) << some.lurd;
    EXPECT_EQ(played.blockMoves, fewest) << some.lurd;
  }
}

TEST(Solver, OneThreadAndSeveralFindTheSameCount) {
  const solver::Stage stage = solver::stageOf(builtInStages(), 2);
  for (const int threads : {1, 2, 3}) {
    solver::Control control;
    control.limits.threads = threads;
    const solver::Result result = solver::solve(stage, control);
    EXPECT_EQ(result.answer, Answer::Solved) << threads;
    EXPECT_EQ(result.moves.size(), 20U) << threads;
  }
}

TEST(Solver, LimitsAndCancellingStopWithUnknown) {
  // Stage 5 takes far longer than any of these limits allow.
  const solver::Stage hard = solver::stageOf(builtInStages(), 5);
  const std::atomic<bool> cancelled{true};
  struct Case {
    const char* name;
    solver::Control control;
    StopReason stop;
  };
  Case cases[] = {
      {"states", {}, StopReason::StateLimit},
      {"memory", {}, StopReason::MemoryLimit},
      {"time", {}, StopReason::TimeLimit},
      {"cancel", {}, StopReason::Cancelled},
  };
  cases[0].control.limits.states = 2000;
  cases[1].control.limits.memoryBytes = 1;
  cases[2].control.limits.time = std::chrono::milliseconds(1);
  cases[3].control.cancel = &cancelled;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const solver::Result result = solver::solve(hard, c.control);
    EXPECT_EQ(result.answer, Answer::Unknown);
    EXPECT_EQ(result.stop, c.stop);
    // The exact search ran at least as far as the start's bound, but not when cancelled first.
    if (c.stop != StopReason::Cancelled) {
      EXPECT_GE(result.counts.lowerBound, 17);
    }
    // A clear found before the stop is the best known, not proved.
    if (!result.moves.empty()) {
      EXPECT_EQ(test::playThroughGame(hard, result.lurd).result, StageResult::Cleared);
    }
  }
  EXPECT_GE(solver::solve(hard, cases[0].control).counts.statesStored, 2000U);
}

TEST(Solver, ProgressReportsGrowingCountsOnTheSolvingThread) {
  solver::Control control;
  control.limits.states = 20000;
  control.progressInterval = std::chrono::milliseconds(0);
  std::vector<solver::Progress> reports;
  control.progress = [&reports](const solver::Progress& p) { reports.push_back(p); };
  const solver::Result result = solver::solve(solver::stageOf(builtInStages(), 5), control);
  ASSERT_GE(reports.size(), 2U);
  for (std::size_t i = 1; i < reports.size(); ++i) {
    EXPECT_GE(reports[i].statesExpanded, reports[i - 1].statesExpanded);
    EXPECT_GE(reports[i].statesStored, reports[i - 1].statesStored);
    EXPECT_GE(reports[i].lowerBound, reports[i - 1].lowerBound);
  }
  EXPECT_LE(reports.back().statesStored, result.counts.statesStored);
  EXPECT_GT(reports.back().memoryBytes, 0U);
}

TEST(Solver, TileCodesTheGameNeverLoadsAreRefused) {
  solver::Stage stage = test::stageOf({"111111", "10BD01", "111111"}, 1, 1, 25);
  EXPECT_TRUE(solver::supportedBoard(stage));
  stage.board[4][1] = kHighestCode + 1;
  EXPECT_FALSE(solver::supportedBoard(stage));
  const solver::Result result = solver::solve(stage);
  EXPECT_EQ(result.answer, Answer::Unknown);
  EXPECT_EQ(result.stop, StopReason::UnsupportedBoard);
}

TEST(Solver, StartPlaceTellsFloorFromEverythingElse) {
  const Board board = boardOf({"111111", "10B201", "111111"});
  const struct {
    int x, y;
    solver::StartPlace place;
  } cases[] = {
      {1, 1, solver::StartPlace::Floor},     {0, 1, solver::StartPlace::NotFloor},
      {2, 1, solver::StartPlace::NotFloor},  {3, 1, solver::StartPlace::NotFloor},
      {-1, 1, solver::StartPlace::OffGrid},  {20, 1, solver::StartPlace::OffGrid},
      {1, 14, solver::StartPlace::OffGrid},
  };
  for (const auto& c : cases) EXPECT_EQ(solver::startPlace({board, c.x, c.y, 25}), c.place) << c.x << "," << c.y;
}

TEST(Solver, ValuesCheckJudgesTheBlockValuesAlone) {
  const struct {
    const char* row;
    int ng;
    bool clearable;
    int fewestMerges;
  } cases[] = {
      {"1BD0000001", 25, true, 1},  {"1BC0000001", 25, false, 0},  // 3 mod 2 leaves one block
      {"1ECA000001", 25, true, 2},  {"1ECA000001", 2, false, 0},   // only through 2
      {"1B00000001", 25, false, 0}, {"1000000001", 25, false, 0},  // one block, none
      {"1BBCC00001", 25, true, 2},  {"1B0C0D0F01", 25, true, 2},   // wherever they stand
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.row) + " NG " + std::to_string(c.ng));
    const solver::ValuesCheck check = solver::checkValues(test::stageOf({"1111111111", c.row}, 8, 1, c.ng));
    EXPECT_TRUE(check.decided);
    EXPECT_EQ(check.clearable, c.clearable);
    EXPECT_EQ(check.fewestMerges, c.fewestMerges);
  }
  // A whole Board of one value: 280 blocks pair off in 140 merges. With one of them a 3, that
  // block needs two 2s to go (3 mod 2, then 1 into 2), which leaves an odd number of 2s.
  solver::Stage full{{}, -1, 0, 25};
  for (auto& column : full.board) column.fill(code('B'));
  EXPECT_EQ(solver::checkValues(full).fewestMerges, kBoardCells / 2);
  full.board[0][0] = code('C');
  const solver::ValuesCheck odd = solver::checkValues(full);
  EXPECT_TRUE(odd.decided);
  EXPECT_FALSE(odd.clearable);
}

}  // namespace
}  // namespace quorel
