#include <gtest/gtest.h>

#include <vector>

#include "tests/scenes/puzzle_game.h"

namespace quorel::testing {
namespace {

// Stage 1 is lost by one block left, stage 2 by the NG number 2 (4 into 6).
const std::vector<std::string> kLosingStages = stageSetLines({{"10CC0E1"}, {"10DF0EE", 1, 2}});

void loseStage(PuzzleGame& g, int stage) {
  g.startUserSet("lose.qrl", kLosingStages, stage);
  g.runIntro();
  g.step(kKeyRight);
}

bool highlightOn(PuzzleGame& g, int entry) { return g.game.pixel(221 + 130 * entry, 265) == kYellowPixel; }

TEST(RetryMenu, ALostAttemptShowsTheDefeatedPlayerWhereTheLosingStepBegan) {
  for (int stage : {1, 2}) {
    SCOPED_TRACE(stage);
    PuzzleGame g;
    loseStage(g, stage);
    EXPECT_EQ(g.form().sceneNumber, kSceneRetry);
    EXPECT_EQ(g.state().playerX, 2);
    g.pass();
    EXPECT_TRUE(g.pictureShownAt(g.form().pictures.face.get(), faceFrame(0, 8), 32, 64));
    EXPECT_TRUE(g.pictureShownAt(g.form().pictures.title.get(), {0, 305, 640, 400}, 0, 86));
    EXPECT_TRUE(g.textShownAt(226, 266, "RETRY"));
    EXPECT_TRUE(g.textShownAt(360, 266, "EXIT"));
    EXPECT_TRUE(highlightOn(g, 0));
    EXPECT_FALSE(highlightOn(g, 1));
  }
}

TEST(RetryMenu, RetryStartsTheIntroWithoutItsWindowOnTheBoardAsLoaded) {
  PuzzleGame g;
  loseStage(g, 2);
  g.pass();
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneIntro);
  const std::size_t effectsBefore = g.game.effects.size();
  const int passesBefore = g.game.passes;
  g.runIntro();
  EXPECT_EQ(g.game.passes - passesBefore, 73);  // the first pass, the reveal and the slide
  EXPECT_EQ(g.game.effects.size(), effectsBefore);  // no window, no "attend"
  EXPECT_EQ(g.board(), g.form().stageSet.board[2]);
  EXPECT_EQ(g.state().blockMoves[2], 0);
  EXPECT_TRUE(g.textShownAt(170, 8, "BLOCK MOVE:000"));
  EXPECT_TRUE(g.cellShown(2, 1, 'D'));
  EXPECT_TRUE(g.cellShown(3, 1, 'F'));
}

TEST(RetryMenu, ExitReturnsToTheTitleWithItsMusicWhenBgmIsOn) {
  for (bool bgm : {true, false}) {
    SCOPED_TRACE(bgm);
    PuzzleGame g;
    g.form().settings.bgm = bgm;
    loseStage(g, 1);
    g.pass();
    g.press(kKeyRight);
    g.press(kKeySpace);
    EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
    EXPECT_TRUE(g.state().introWindow);
    ASSERT_FALSE(g.game.music.empty());
    EXPECT_EQ(g.game.music.front().file, "stop");
    EXPECT_EQ(g.game.music.back().file, bgm ? "bgm/bgm02.mid" : "stop");
    EXPECT_FALSE(g.form().closed());
  }
}

TEST(RetryMenu, TheCursorMovesOnceTowardsTheOtherEntryWithPannedSounds) {
  PuzzleGame g;
  loseStage(g, 1);
  g.pass();
  g.press(kKeyRight);
  g.pass();
  g.press(kKeyRight);
  g.game.hold(kKeyRight);
  g.passes(5);
  g.game.releaseAll();
  g.pass();
  EXPECT_TRUE(highlightOn(g, 1));
  EXPECT_FALSE(highlightOn(g, 0));
  g.press(kKeyLeft);
  g.pass();
  EXPECT_TRUE(highlightOn(g, 0));
  ASSERT_GE(g.game.effects.size(), 2u);
  const EffectRequest& right = g.game.effects[g.game.effects.size() - 2];
  const EffectRequest& left = g.game.effects.back();
  EXPECT_EQ(right.name, "sup");
  EXPECT_EQ(right.pan, 3000);
  EXPECT_EQ(left.name, "sdw");
  EXPECT_EQ(left.pan, -3000);
  EXPECT_EQ(g.game.effects[g.game.effects.size() - 3].name, "clear");  // the losing merge
}

TEST(RetryMenu, Button1HeldFromPlayChoosesNothingUntilPressedAgain) {
  PuzzleGame g;
  g.startUserSet("lose.qrl", kLosingStages, 1);
  g.runIntro();
  g.game.hold(kKeySpace);  // running
  g.step(kKeyRight);
  ASSERT_EQ(g.form().sceneNumber, kSceneRetry);
  g.passes(20);
  EXPECT_EQ(g.form().sceneNumber, kSceneRetry);
  g.game.release(kKeySpace);
  g.pass();
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneIntro);
}

TEST(RetryMenu, ExitInTestPlayClosesTheGame) {
  GameHarness game;
  game.writeTemporaryStageFile(kLosingStages);
  ASSERT_TRUE(game.start({"1"}));
  ASSERT_TRUE(game.form().testPlay);
  ASSERT_TRUE(game.runUntilScene(kScenePlay, 400));
  game.hold(kKeyEnter);
  game.runPasses(1);
  game.releaseAll();
  ASSERT_EQ(game.form().sceneNumber, kSceneRetry);
  game.runPasses(1);
  game.hold(kKeyRight);
  game.runPasses(1);
  game.releaseAll();
  game.hold(kKeySpace);
  game.runPasses(1);
  EXPECT_TRUE(game.form().closed());
}

}  // namespace
}  // namespace quorel::testing
