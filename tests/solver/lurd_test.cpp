#include "solver/lurd.h"

#include <gtest/gtest.h>

#include "tests/solver/solver_fixtures.h"

namespace quorel::solver {
namespace {

// Blocks B and D in a room; the player starts at its top right.
const Stage kRoom = test::stageOf({"1111111", "1000001", "100BD01", "1000001", "1111111"}, 5, 1, 25);

TEST(Lurd, BlockMovesBecomeShortestWalksAndCapitals) {
  EXPECT_EQ(lurdOf(kRoom, {{3, 2, 2}}), "llldR");
  // B pushed down from above; then the player goes round by the top to push D left.
  EXPECT_EQ(lurdOf(kRoom, {{3, 2, 3}, {4, 2, 0}}), "llDurrdL");
  EXPECT_EQ(lurdOf(kRoom, {}), "");
  EXPECT_EQ(lurdOf(kRoom, {{3, 2, 3}, {1, 1, 1}}), std::nullopt);  // no block on (1, 1)
  EXPECT_EQ(lurdOf(kRoom, {{4, 2, 2}}), std::nullopt);               // B stands where the player must
}

TEST(Lurd, ReplayFollowsTheGameAndNamesTheFirstLetterThatDoesNot) {
  const struct {
    const char* moves;
    bool valid;
    std::size_t failedAt;
    StageResult result;
    int blockMoves;
  } cases[] = {
      {"llldR", true, 0, StageResult::Cleared, 1},
      {"lllDR", false, 3, StageResult::Playing, 0},    // a capital where only a walk happens
      {"llldr", false, 4, StageResult::Playing, 0},    // a small letter that moves a block
      {"uuu", false, 0, StageResult::Playing, 0},      // into the wall: not a walk
      {"llldRl", false, 5, StageResult::Cleared, 1},   // after the end
      {"llxd", false, 2, StageResult::Playing, 0},     // not a move letter
      {"", true, 0, StageResult::Playing, 0},
      {"dL", true, 0, StageResult::Cleared, 1},        // D into B from the other side
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.moves);
    const Replay replay = replayLurd(kRoom, c.moves);
    EXPECT_EQ(replay.valid, c.valid);
    if (!c.valid) {
      EXPECT_EQ(replay.failedAt, c.failedAt);
    }
    EXPECT_EQ(replay.result, c.result);
    EXPECT_EQ(replay.blockMoves, c.blockMoves);
  }
}

}  // namespace
}  // namespace quorel::solver
