#include "game/rules/step_outcome.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "game/rules/move_rules.h"
#include "tests/rules/board_fixtures.h"

namespace quorel {
namespace {

TEST(StepOutcome, NamesWhatAStepDoesAndHowTheStageStandsAfterIt) {
  struct Case {
    const char* name;
    Board board;
    int x, y, dx, dy, ng;
    StepKind kind;
    char pushed, struck;  // the pushed block and the struck cell afterwards, '0' for none
    StageResult result;
  };
  using K = StepKind;
  using R = StageResult;
  const Case cases[] = {
      {"walk onto floor", boardOf({"1111", "1001", "1111"}), 1, 1, 1, 0, 25, K::Walk, '0', '0', R::Playing},
      {"walk into a wall", boardOf({"1111", "10C1", "1111"}), 1, 1, 0, 1, 25, K::Wall, '0', '0', R::Playing},
      {"walk onto an unused code", boardOf({"1111", "1071", "1111"}), 1, 1, 1, 0, 25, K::Walk, '0', '0', R::Playing},
      {"off the grid", put(boardOf({}), {{0, 1, '0'}}), 0, 1, -1, 0, 25, K::Wall, '0', '0', R::Playing},
      {"from the largest column", boardOf({}), INT_MAX, 1, 1, 0, 25, K::Wall, '0', '0', R::Playing},
      {"from the smallest row", boardOf({}), 1, INT_MIN, 0, -1, 25, K::Wall, '0', '0', R::Playing},
      {"back onto the grid from beside it", put(boardOf({}), {{19, 1, '0'}}), 20, 1, -1, 0, 25, K::Walk, '0', '0',
       R::Playing},
      {"push into floor", boardOf({"11111", "10C01", "11111"}), 1, 1, 1, 0, 25, K::Push, 'C', '0', R::Playing},
      {"push against a wall", boardOf({"1111", "10C1", "1111"}), 1, 1, 1, 0, 25, K::PushBlocked, 'C', '0',
       R::Playing},
      {"push against an unused code", boardOf({"11111", "10C21", "11111"}), 1, 1, 1, 0, 25, K::PushBlocked, 'C',
       '0', R::Playing},
      {"push over the edge", put(boardOf({}), {{18, 1, '0'}, {19, 1, 'C'}}), 18, 1, 1, 0, 25, K::PushBlocked, 'C',
       '0', R::Playing},
      {"merge, blocks to spare", boardOf({"1111111", "10FD0E1", "10000E1"}), 1, 1, 1, 0, 25, K::Merge, 'F', 'B',
       R::Playing},
      {"merge, nothing left", boardOf({"111111", "10CC01"}), 1, 1, 1, 0, 25, K::Merge, 'C', '0', R::Cleared},
      {"merge, one block left", boardOf({"1111111", "10CC0E1"}), 1, 1, 1, 0, 25, K::Merge, 'C', '0',
       R::LostOneBlock},
      {"merge into the NG number", boardOf({"1111111", "10FD0E1", "10000E1"}), 1, 1, 1, 0, 2, K::Merge, 'F', 'B',
       R::LostNgNumber},
      {"merge with the NG number elsewhere", boardOf({"1111111", "10CC0F1", "10000F1"}), 1, 1, 1, 0, 6, K::Merge,
       'C', '0', R::LostNgNumber},
      {"merge upwards", boardOf({"111", "1C1", "1D1", "101", "1E1", "1E1"}), 1, 3, 0, -1, 25, K::Merge, 'D', 'A',
       R::Playing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const StepOutcome outcome = stepOutcome(c.board, c.x, c.y, c.dx, c.dy, c.ng);
    EXPECT_EQ(outcome.kind, c.kind);
    EXPECT_EQ(outcome.blockCode, c.pushed == '0' ? 0 : code(c.pushed));
    if (c.kind == K::Merge) {
      EXPECT_EQ(outcome.struckCode, code(c.struck));
    }
    EXPECT_EQ(outcome.result, c.result);
  }
}

TEST(StepOutcome, AppliedStepsLandTheBlockAndLeaveBlockedStepsAlone) {
  const Board start = boardOf({"1111111", "10CD0E1", "1000001", "1111111"});
  Board board = start;
  applyStep(board, 1, 1, 1, 0, stepOutcome(board, 1, 1, 1, 0, 25));  // "C" into "D": 4 mod 3
  EXPECT_EQ(board, put(start, {{2, 1, '0'}, {3, 1, 'A'}}));

  const Board room = boardOf({"11111", "10C01", "11111"});
  board = room;
  applyStep(board, 1, 1, 1, 0, stepOutcome(board, 1, 1, 1, 0, 25));
  EXPECT_EQ(board, put(room, {{2, 1, '0'}, {3, 1, 'C'}}));
  const Board moved = board;
  applyStep(board, 2, 1, 1, 0, stepOutcome(board, 2, 1, 1, 0, 25));  // against the wall now
  EXPECT_EQ(board, moved);
}

TEST(StepOutcome, APushedBlockAgainstEachCodeSlidesIsBlockedOrMerges) {
  EXPECT_EQ(pushAgainst(code('E'), kFloor).kind, PushKind::Slide);
  for (int beyond = kWall; beyond <= 10; ++beyond) EXPECT_EQ(pushAgainst(code('E'), beyond).kind, PushKind::Blocked);
  const Push merge = pushAgainst(code('Y'), code('G'));
  EXPECT_EQ(merge.kind, PushKind::Merge);
  EXPECT_EQ(merge.remainder, 4);
  EXPECT_EQ(merge.struckCode(), code('D'));
  EXPECT_EQ(pushAgainst(code('B'), code('F')).struckCode(), kFloor);
}

TEST(StepOutcome, TheJudgeNamesTheNgNumberFirstThenCountsTheBlocks) {
  EXPECT_EQ(judgeStage(0, false), StageResult::Cleared);
  EXPECT_EQ(judgeStage(1, false), StageResult::LostOneBlock);
  EXPECT_EQ(judgeStage(2, false), StageResult::Playing);
  EXPECT_EQ(judgeStage(1, true), StageResult::LostNgNumber);
  EXPECT_EQ(judgeStage(5, true), StageResult::LostNgNumber);
  EXPECT_FALSE(isNgBlock(kFloor, -10));
  EXPECT_FALSE(isNgBlock(kWall, -9));
  EXPECT_TRUE(isNgBlock(code('F'), 6));
}

class SilentEffects : public EffectSink {
 public:
  void playEffect(std::string_view, int) override {}
};

// The pure step and the game's animated step must never disagree: a solver plans with the
// first and its answers are replayed through the second.
TEST(StepOutcome, EveryBuiltInStageWalkedAtRandomAgreesWithTheAnimatedStep) {
  const GameStageSlots set = builtInStages();
  std::minstd_rand random(9);
  constexpr int kDirections[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  int merges = 0;
  for (int stage = 1; stage < set.stageLimit; ++stage) {
    SCOPED_TRACE(stage);
    Board pure = set.board[stage];
    int x = set.startX[stage];
    int y = set.startY[stage];
    int moves = 0;
    Board played = pure;
    PlayState state;
    SilentEffects effects;
    startAttempt(state, stage, x, y);
    for (int step = 0; step < 3000; ++step) {
      const auto& d = kDirections[random() % 4];
      const StepOutcome expected = stepOutcome(pure, x, y, d[0], d[1], set.ngNumber[stage]);
      applyStep(pure, x, y, d[0], d[1], expected);
      if (expected.playerMoves()) {
        x += d[0];
        y += d[1];
      }
      if (expected.blockMoved()) ++moves;
      if (expected.kind == StepKind::Merge) ++merges;

      state.prevX = state.playerX;
      state.prevY = state.playerY;
      state.stepFrames = 8;
      const StepOutcome animated = MoveRules{state, played, stage, set.ngNumber[stage], effects}.beginStep(d[0], d[1]);
      while (state.stepFramesLeft > 0) continueStep(state, played);
      ASSERT_EQ(animated.kind, expected.kind) << "step " << step;
      ASSERT_EQ(played, pure) << "step " << step;
      ASSERT_EQ(state.playerX, x);
      ASSERT_EQ(state.playerY, y);
      ASSERT_EQ(state.blockMoves[stage], moves);
      if (expected.result != StageResult::Playing) break;
    }
  }
  EXPECT_GT(merges, 20);  // the walks must reach the merges, not only the pushes
}

}  // namespace
}  // namespace quorel
