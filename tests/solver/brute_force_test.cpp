// The solver against a plain search over the game's single steps: every step of the player in
// every direction from every position, walking free and each block move costing one, by the
// rules' own stepOutcome and applyStep. On small random rooms both must agree on the fewest
// block moves or on there being none.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "game/rules/step_outcome.h"
#include "solver/estimator.h"
#include "solver/layout.h"
#include "solver/lurd.h"
#include "tests/solver/solver_fixtures.h"

namespace quorel {
namespace {

struct StepState {
  Board board;
  int x, y;
  bool operator<(const StepState& other) const {
    if (x != other.x) return x < other.x;
    if (y != other.y) return y < other.y;
    return board < other.board;
  }
};

// The fewest block moves by a breadth-first search with free walks in front of the queue.
std::optional<int> fewestByEverySteps(const solver::Stage& stage) {
  constexpr int kDirections[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  std::map<StepState, int> best;
  std::deque<std::pair<StepState, int>> queue{{{stage.board, stage.startX, stage.startY}, 0}};
  while (!queue.empty()) {
    auto [state, cost] = queue.front();
    queue.pop_front();
    if (auto known = best.find(state); known != best.end() && known->second <= cost) continue;
    best[state] = cost;
    for (const auto& [dx, dy] : kDirections) {
      const StepOutcome outcome = stepOutcome(state.board, state.x, state.y, dx, dy, stage.ngNumber);
      if (!outcome.playerMoves()) continue;
      if (outcome.result == StageResult::Cleared) return cost + 1;
      if (isLost(outcome.result)) continue;
      StepState next{state.board, state.x + dx, state.y + dy};
      applyStep(next.board, state.x, state.y, dx, dy, outcome);
      if (outcome.blockMoved()) {
        queue.push_back({next, cost + 1});
      } else {
        queue.push_front({next, cost});
      }
    }
  }
  return std::nullopt;
}

struct RoomShape {
  int width, height, maxBlocks, blockChance;  // blockChance in twentieths
};

// A walled room with a few small blocks, now and then a wall or a code from 2 to 9 inside, and a
// start on a free cell (or, once in a while, on the room's wall).
solver::Stage randomRoom(std::mt19937& random, const RoomShape& shape) {
  auto roll = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  Board board{};
  for (auto& column : board) column.fill(kWall);
  std::vector<std::pair<int, int>> free;
  int blocks = 0;
  for (int y = 1; y <= shape.height; ++y) {
    for (int x = 1; x <= shape.width; ++x) {
      const int kind = roll(20);
      if (kind < shape.blockChance && blocks < shape.maxBlocks) {
        board[x][y] = blockCode(1 + roll(8));
        ++blocks;
      } else if (kind == 5) {
        board[x][y] = kWall;
      } else if (kind == 6) {
        board[x][y] = 2 + roll(8);
      } else {
        board[x][y] = kFloor;
        free.emplace_back(x, y);
      }
    }
  }
  const int ng = roll(3) == 0 ? 25 : 1 + roll(6);
  if (free.empty() || roll(10) == 0) return {board, 0, 1 + roll(shape.height), ng};
  const auto [x, y] = free[static_cast<std::size_t>(roll(static_cast<int>(free.size())))];
  return {board, x, y, ng};
}

// Along an optimal solution the moves still to go are the fewest from there: neither bound may
// exceed them.
void expectBoundsBelowTheRest(const solver::Stage& stage, const std::vector<solver::BlockMove>& moves) {
  const solver::Layout layout(stage);
  solver::Estimator estimator(layout);
  Board board = stage.board;
  for (std::size_t done = 0; done < moves.size(); ++done) {
    solver::Position position;
    for (int y = 0; y < kBoardRows; ++y) {
      for (int x = 0; x < kBoardColumns; ++x) {
        if (!isBlock(board[x][y])) continue;
        position.cell[position.count] = static_cast<std::int16_t>(solver::cellIndex(x, y));
        position.value[position.count++] = static_cast<std::int8_t>(blockValue(board[x][y]));
      }
    }
    const int rest = static_cast<int>(moves.size() - done);
    EXPECT_LE(estimator.quickBound(position), rest) << "after " << done << " moves";
    EXPECT_LE(estimator.fullBound(position), rest) << "after " << done << " moves";
    const solver::BlockMove& m = moves[done];
    const int dx = solver::kDirections[m.direction].dx;
    const int dy = solver::kDirections[m.direction].dy;
    applyStep(board, m.x - dx, m.y - dy, dx, dy, stepOutcome(board, m.x - dx, m.y - dy, dx, dy, stage.ngNumber));
  }
}

std::string drawn(const solver::Stage& stage) {
  std::string text = "start " + std::to_string(stage.startX) + "," + std::to_string(stage.startY) + " NG " +
                     std::to_string(stage.ngNumber) + "\n";
  for (int y = 0; y <= 5; ++y) {
    for (int x = 0; x <= 7; ++x) text += tileCharOf(stage.board[x][y]);
    text += "\n";
  }
  return text;
}

// Every answer of the solver on random rooms of one shape against the plain search; returns how
// many rooms had a clear and how many had none.
std::pair<int, int> compareOnRandomRooms(std::uint32_t seed, const RoomShape& shape, int rounds) {
  std::mt19937 random(seed);
  int solved = 0, unsolvable = 0;
  for (int round = 0; round < rounds; ++round) {
    const solver::Stage stage = randomRoom(random, shape);
    SCOPED_TRACE(drawn(stage));
    const std::optional<int> expected = fewestByEverySteps(stage);
    const solver::Result result = solver::solve(stage);
    if (!expected) {
      ++unsolvable;
      EXPECT_EQ(result.answer, solver::Answer::NoSolution);
      continue;
    }
    ++solved;
    EXPECT_EQ(result.answer, solver::Answer::Solved);
    if (result.answer != solver::Answer::Solved) continue;
    EXPECT_EQ(static_cast<int>(result.moves.size()), *expected);
    const test::PlayedMoves played = test::playThroughGame(stage, result.lurd);
    EXPECT_TRUE(played.followed) << result.lurd;
    EXPECT_EQ(played.result, StageResult::Cleared) << result.lurd;
    EXPECT_EQ(played.blockMoves, *expected) << result.lurd;
    expectBoundsBelowTheRest(stage, result.moves);
  }
  return {solved, unsolvable};
}

TEST(SolverAgainstEveryStep, RandomRoomsGetTheSameFewestMovesOrNone) {
  const auto [solved, unsolvable] = compareOnRandomRooms(20240613, {5, 3, 4, 5}, 300);
  // Both kinds of answer must be well represented for the comparison to mean something.
  EXPECT_GE(solved, 50);
  EXPECT_GE(unsolvable, 50);
}

// Crowded rooms, where sets of four and more blocks vanish together and the bounds charge them
// by the orders of merges their values allow.
TEST(SolverAgainstEveryStep, CrowdedRoomsGetTheSameFewestMovesOrNone) {
  const auto [solved, unsolvable] = compareOnRandomRooms(11, {6, 3, 6, 8}, 40);
  EXPECT_GE(solved, 10);
  EXPECT_GE(unsolvable, 10);
}

}  // namespace
}  // namespace quorel
