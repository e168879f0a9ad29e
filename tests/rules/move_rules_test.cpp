#include "game/rules/move_rules.h"
#include "game/scenes/play_scene.h"
#include "tests/rules/board_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace quorel {
namespace {

class RecordedEffects : public EffectSink {
 public:
  void playEffect(std::string_view name, int pan) override {
    names.emplace_back(name);
    pans.push_back(pan);
  }
  std::vector<std::string> names;
  std::vector<int> pans;
};

// One attempt at stage 1 of a hand-made Board, stepped the way the Play scene steps it.
struct Attempt {
  Attempt(Board start, int x, int y, int ng = 25) : board(start), ngNumber(ng) {
    startAttempt(state, 1, x, y);
  }
  MoveRules rules() { return MoveRules{state, board, 1, ngNumber, effects}; }

  // The input frame of a step and the frames that animate it.
  void step(int dx, int dy, int frames = 16) {
    begin(dx, dy, frames);
    while (state.stepFramesLeft > 0) continueStep(state, board);
  }
  void begin(int dx, int dy, int frames = 16) {
    state.prevX = state.playerX;
    state.prevY = state.playerY;
    state.stepFrames = frames;
    // The Scene number follows the step as the Play scene sets it.
    sceneNumber = sceneAfterStep(rules().beginStep(dx, dy).result, sceneNumber);
  }
  int moves() const { return state.blockMoves[1]; }

  PlayState state;
  Board board;
  int ngNumber;
  int sceneNumber = 1;
  RecordedEffects effects;
};

TEST(MoveRules, MergeLeavesTheRemainderOfTheLargerValueByTheSmaller) {
  struct Case {
    char pushed, struck, left;  // "0" when both blocks vanish
    const char* effect;
  };
  const Case cases[] = {
      {'F', 'D', 'B', "hit"},    // 6 into 4
      {'D', 'F', 'B', "hit"},    // 4 into 6
      {'A', 'Q', '0', "clear"},  // 1 into anything
      {'Y', 'A', '0', "clear"},  // anything into 1
      {'B', 'D', '0', "clear"},  // the smaller divides the larger
      {'D', 'B', '0', "clear"},
      {'G', 'G', '0', "clear"},  // equal values
      {'C', 'B', 'A', "hit"},    // a remainder of 1 still hits
      {'Y', 'G', 'D', "hit"},    // 25 into 7
      {'Z', 'M', '0', "clear"},  // "Z" is a block of value 26
      {'G', 'Z', 'E', "hit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string{c.pushed} + " into " + c.struck);
    // Two spare blocks keep the merge from ending the stage.
    Attempt a(boardOf({"1111111", "10" + std::string{c.pushed} + c.struck + "001", "10K0K01", "1111111"}), 1, 1);
    a.step(1, 0);
    EXPECT_EQ(a.board[3][1], code(c.left));
    EXPECT_EQ(a.board[2][1], kFloor);
    EXPECT_EQ(a.state.playerX, 2);
    EXPECT_EQ(a.moves(), 1);
    EXPECT_EQ(a.effects.names, std::vector<std::string>{c.effect});
    EXPECT_EQ(a.effects.pans, std::vector<int>{0});
    EXPECT_EQ(a.sceneNumber, 1);
  }
}

TEST(MoveRules, WallsAndFailedPushesChangeNothingButThePose) {
  struct Case {
    const char* name;
    Board board;
    int x, y, dx, dy;
    bool pushPose;
  };
  const Case cases[] = {
      {"walk into a wall", boardOf({"111", "101", "111"}), 1, 1, 1, 0, false},
      {"push against a wall", boardOf({"1111", "10C1", "1111"}), 1, 1, 1, 0, true},
      {"push against an unused code", boardOf({"11111", "10C51", "11111"}), 1, 1, 1, 0, true},
      {"step off the left edge", put(boardOf({}), {{0, 1, '0'}}), 0, 1, -1, 0, false},
      {"step off the top edge", put(boardOf({}), {{3, 0, '0'}}), 3, 0, 0, -1, false},
      {"push over the right edge", put(boardOf({}), {{18, 1, '0'}, {19, 1, 'C'}}), 18, 1, 1, 0, true},
      {"push over the bottom edge", put(boardOf({}), {{5, 12, '0'}, {5, 13, 'E'}}), 5, 12, 0, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Attempt a(c.board, c.x, c.y);
    a.state.spriteFrame = 2;
    a.begin(c.dx, c.dy);
    EXPECT_EQ(a.state.playerX, c.x);
    EXPECT_EQ(a.state.playerY, c.y);
    EXPECT_EQ(a.state.stepFramesLeft, 0);
    EXPECT_EQ(a.board, c.board);
    EXPECT_EQ(a.moves(), 0);
    EXPECT_TRUE(a.effects.names.empty());
    EXPECT_EQ(a.state.spriteFrame, c.pushPose ? 4 : 2);
    if (c.pushPose) {
      EXPECT_EQ(a.state.poseTimer, -30);
    }
    EXPECT_EQ(a.sceneNumber, 1);
  }
}

TEST(MoveRules, FloorAndUnusedCodesAreWalkedWithoutCounting) {
  for (char under : std::string_view{"023456789"}) {
    SCOPED_TRACE(under);
    Attempt a(boardOf({"1111", "10" + std::string{under} + "1", "1111"}), 1, 1);
    a.step(1, 0);
    EXPECT_EQ(a.state.playerX, 2);
    EXPECT_EQ(a.moves(), 0);
    EXPECT_TRUE(a.effects.names.empty());
    EXPECT_EQ(a.board[2][1], code(under));
  }
}

TEST(MoveRules, PushesAndMergesCountOneMoveEachUpTo255) {
  Attempt a(boardOf({"111111111", "10C000001", "10000DD01", "111111111"}), 1, 1);
  a.step(1, 0);  // push
  a.step(1, 0);  // push
  a.step(0, 1);  // walk
  EXPECT_EQ(a.moves(), 2);
  EXPECT_EQ(a.effects.names, (std::vector<std::string>{"move", "move"}));
  a.step(1, 0);  // walk
  a.step(1, 0);  // merge D into D
  EXPECT_EQ(a.moves(), 3);
  EXPECT_EQ(a.state.statusTimer, 0);

  Attempt capped(boardOf({"11111", "10C01", "11111"}), 1, 1);
  capped.state.blockMoves[1] = 255;
  capped.step(1, 0);
  EXPECT_EQ(capped.moves(), 255);
  EXPECT_EQ(capped.effects.names, std::vector<std::string>{"move"});
}

TEST(MoveRules, ABlockMoveRestartsTheStatusTimerAndAWalkDoesNot) {
  Attempt a(boardOf({"111111", "100C01", "111111"}), 1, 1);
  a.state.statusTimer = 500;
  a.step(1, 0);
  EXPECT_EQ(a.state.statusTimer, 500);
  a.step(1, 0);
  EXPECT_EQ(a.state.statusTimer, 0);
}

TEST(MoveRules, TheStageEndsWhenAMergeLeavesNoBlockOneBlockOrTheNgNumber) {
  struct Case {
    const char* name;
    const char* row;
    int ng;
    int scene;
  };
  const Case cases[] = {
      {"no block left: cleared", "10CC001", 25, 2},
      {"one block left: lost", "10CC0E1", 25, 3},
      {"NG number reached with blocks to spare", "10DF0EE", 2, 3},
      {"NG number elsewhere on the Board", "10CC0FF", 6, 3},
      {"neither", "10CD0EE", 25, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Attempt a(boardOf({"1111111", c.row, "1111111"}), 1, 1, c.ng);
    a.step(1, 0);
    EXPECT_EQ(a.sceneNumber, c.scene);
  }
}

TEST(MoveRules, NoPushOrWalkEndsTheStage) {
  // An NG block already on the Board only ends the stage through a merge.
  Attempt a(boardOf({"111111", "10C001", "1F0001", "111111"}), 1, 1, 6);
  a.step(1, 0);
  a.step(0, 1);
  EXPECT_EQ(a.sceneNumber, 1);
}

TEST(MoveRules, AnNgNumberOutsideTheBlockValuesNeverMatchesFloorOrWall) {
  for (int ng : {-10, -9, 0}) {
    SCOPED_TRACE(ng);
    Attempt a(boardOf({"1111111", "10CD0E1", "10000E1", "1111111"}), 1, 1, ng);
    a.step(1, 0);
    EXPECT_EQ(a.sceneNumber, 1);
  }
}

TEST(MoveRules, AButton2PauseIsOverriddenOnlyByAClear) {
  Attempt a(boardOf({"1111111", "10CC001", "1111111"}), 1, 1);
  a.sceneNumber = 3;
  a.step(1, 0);
  EXPECT_EQ(a.sceneNumber, 2);
  Attempt b(boardOf({"1111111", "10CC0E1", "10000E1", "1111111"}), 1, 1);
  b.sceneNumber = 3;
  b.step(1, 0);
  EXPECT_EQ(b.sceneNumber, 3);
}

TEST(MoveRules, ASlidingBlockSitsInNoCellAndLandsAtTheStepsEnd) {
  struct Case {
    int frames, pixelsPerFrame;
  };
  for (const Case c : {Case{16, 2}, Case{8, 4}, Case{4, 8}}) {
    SCOPED_TRACE(c.frames);
    Attempt a(boardOf({"11111", "10C01", "11111"}), 1, 1);
    a.begin(1, 0, c.frames);
    EXPECT_EQ(a.state.playerX, 2);
    EXPECT_EQ(a.state.carriedCode, code('C'));
    EXPECT_EQ(a.effects.names, std::vector<std::string>{"move"});
    EXPECT_EQ(a.state.spriteX, 32);
    for (int frame = 1; frame < c.frames; ++frame) {
      EXPECT_EQ(countBlocks(a.board), 0) << "frame " << frame;
      continueStep(a.state, a.board);
      EXPECT_EQ(a.state.spriteX, 32 + frame * c.pixelsPerFrame);
    }
    EXPECT_EQ(a.state.stepFramesLeft, 0);
    EXPECT_EQ(a.board[3][1], code('C'));
    EXPECT_EQ(a.board[2][1], kFloor);
    EXPECT_EQ(a.state.carriedCode, 0);
    EXPECT_EQ(a.state.moveX, 0);
    EXPECT_EQ(a.state.moveY, 0);
  }
}

TEST(MoveRules, AVerticalDirectionWinsTheFacingAndNoDirectionKeepsIt) {
  struct Case {
    int moveX, moveY, before, facing;
  };
  const Case cases[] = {
      {1, 0, 3, 0}, {-1, 0, 0, 1}, {0, 1, 0, 2}, {0, -1, 0, 3}, {1, -1, 0, 3}, {-1, 1, 0, 2}, {0, 0, 1, 1}, {0, 0, 3, 3},
  };
  for (const Case& c : cases) {
    PlayState state;
    state.facing = c.before;
    state.moveX = c.moveX;
    state.moveY = c.moveY;
    EXPECT_EQ(facingOf(state), c.facing) << c.moveX << "," << c.moveY;
    EXPECT_EQ(state.facing, c.facing);
  }
}

TEST(MoveRules, AnAttemptStartsFacingDownAtTheStartCellWithNoMoves) {
  PlayState state;
  state.blockMoves[4] = 17;
  state.carriedCode = 12;
  state.stepFramesLeft = 3;
  startAttempt(state, 4, 7, 9);
  EXPECT_EQ(state.playerX, 7);
  EXPECT_EQ(state.playerY, 9);
  EXPECT_EQ(state.spriteX, 224);
  EXPECT_EQ(state.spriteY, 288);
  EXPECT_EQ(state.blockMoves[4], 0);
  EXPECT_EQ(state.carriedCode, 0);
  EXPECT_EQ(state.stepFramesLeft, 0);
  EXPECT_EQ(state.stepFrames, 16);
  EXPECT_EQ(state.moveY, 1);
  EXPECT_EQ(facingOf(state), 2);
}

TEST(PoseAnimation, IdleFramesShowFor8_58_58_8_8AndAPushHoldsThePushPose) {
  PlayState state;
  std::vector<int> lengths(5, 0);
  for (int pass = 0; pass < 140; ++pass) {
    animatePose(state);
    ++lengths[static_cast<std::size_t>(state.spriteFrame)];
  }
  EXPECT_EQ(lengths, (std::vector<int>{8, 58, 58, 8, 8}));

  state.spriteFrame = 4;
  state.poseTimer = -30;
  int pushPose = 0;
  for (animatePose(state); state.spriteFrame == 4; animatePose(state)) ++pushPose;
  EXPECT_EQ(pushPose, 37);
  EXPECT_EQ(state.spriteFrame, 0);
}

// --- the built-in stage 1: "E", two "C" and a "D", NG number 6 ---

struct Walk {
  int dx, dy, times;
};

void play(Attempt& a, std::initializer_list<Walk> route) {
  for (const Walk& w : route)
    for (int i = 0; i < w.times; ++i) a.step(w.dx, w.dy);
}

TEST(BuiltInStage1, MergingACWithTheEThenTheOtherCWithTheDThenBothRemaindersClearsIt) {
  const GameStageSlots set = builtInStages();
  Attempt a(set.board[1], set.startX[1], set.startY[1], set.ngNumber[1]);
  ASSERT_EQ(a.ngNumber, 6);
  ASSERT_EQ(countBlocks(a.board), 4);

  play(a, {{1, 0, 8}});  // the "E" down the corridor into the first "C"
  EXPECT_EQ(a.board[12][5], code('B'));
  play(a, {{1, 0, 1}, {0, 1, 2}, {1, 0, 5}, {0, -1, 1}});  // into the room, the other "C" up into the "D"
  EXPECT_EQ(a.board[17][5], code('A'));
  EXPECT_EQ(a.sceneNumber, 1);
  play(a, {{-1, 0, 5}, {0, -1, 1}, {1, 0, 4}});  // the "B" into the "A"

  EXPECT_EQ(a.sceneNumber, 2);
  EXPECT_EQ(countBlocks(a.board), 0);
  EXPECT_EQ(a.moves(), 12);
  EXPECT_EQ(a.effects.names, (std::vector<std::string>{"move", "move", "move", "move", "move", "hit", "move", "hit",
                                                        "move", "move", "move", "clear"}));
}

TEST(BuiltInStage1, MergingTheTwoCsFirstLosesWhenTheEMeetsTheD) {
  // The player walks round the "E", clears the two "C" against each other, then brings the "E"
  // to the "D": 5 mod 4 leaves a single block of 1.
  const GameStageSlots set = builtInStages();
  Attempt a(set.board[1], set.startX[1], set.startY[1], set.ngNumber[1]);
  const std::string route = "RRURRDRRRRRRRRURDLLLLLLLLLULLDRRRRRRRRRRDRLUR";
  for (std::size_t i = 0; i < route.size(); ++i) {
    ASSERT_EQ(a.sceneNumber, 1) << "before step " << i;
    const char d = route[i];
    a.step(d == 'R' ? 1 : d == 'L' ? -1 : 0, d == 'D' ? 1 : d == 'U' ? -1 : 0);
  }
  EXPECT_EQ(a.sceneNumber, 3);
  EXPECT_EQ(a.moves(), 17);
  EXPECT_EQ(countBlocks(a.board), 1);
  EXPECT_EQ(a.board[17][5], code('A'));
  const std::vector<std::string>& effects = a.effects.names;
  EXPECT_EQ(std::count(effects.begin(), effects.end(), "clear"), 1);  // the two "C"
  EXPECT_EQ(std::count(effects.begin(), effects.end(), "hit"), 1);    // the "E" into the "D"
  EXPECT_EQ(effects.back(), "hit");
}

}  // namespace
}  // namespace quorel
