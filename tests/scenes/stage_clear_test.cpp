#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/scenes/puzzle_game.h"

namespace quorel::testing {
namespace {

const Rect kClearBanner{0, 190, 640, 305};
const Rect kRecordBanner{0, 405, 640, 479};

bool clearBannerShown(PuzzleGame& g) { return g.pictureShownAt(g.form().pictures.title.get(), kClearBanner, 0, 86); }
bool recordBannerShown(PuzzleGame& g) { return g.pictureShownAt(g.form().pictures.title.get(), kRecordBanner, 0, 380); }

// Built-in stage 1: the "E" into the first "C", the other "C" into the "D", then the "B" into
// the "A": 12 block moves.
void playWorkedExample(PuzzleGame& g) {
  g.step(kKeyRight, 8);
  g.step(kKeyRight);
  g.step(kKeyDown, 2);
  g.step(kKeyRight, 5);
  g.step(kKeyUp);
  g.step(kKeyLeft, 5);
  g.step(kKeyUp);
  g.step(kKeyRight, 4);
}

// Leaves the clear display with a fresh press of button 1.
void leaveClear(PuzzleGame& g) {
  g.game.releaseAll();
  g.pass();
  g.press(kKeySpace);
}

TEST(StageClear, BuiltInStage1FromItsIntroToTheNextStagesIntro) {
  PuzzleGame g;
  g.startBuiltIn(1);
  g.runIntro();
  playWorkedExample(g);
  ASSERT_EQ(g.form().sceneNumber, kSceneClear);
  g.passes(20);
  EXPECT_TRUE(clearBannerShown(g));
  EXPECT_TRUE(recordBannerShown(g));
  EXPECT_EQ(g.form().settings.minRecord[1], 12);
  EXPECT_EQ(g.form().settings.continueValue, 1);

  leaveClear(g);
  ASSERT_TRUE(g.game.runUntilScene(kSceneIntro, 200));
  EXPECT_EQ(g.form().currentStage, 2);
  EXPECT_EQ(g.form().settings.continueValue, 2);
  EXPECT_TRUE(g.state().introWindow);
  g.passes(25);
  const std::vector<std::string> expected{"attend", "attend", "attend", "move", "move", "move", "move", "move",
                                          "hit",    "move",   "hit",    "move", "move", "move", "clear", "next",
                                          "attend"};
  EXPECT_EQ(g.effectNames(), expected);
}

TEST(StageClear, ARecordBannerOnlyForFewerMovesThanTheRecord) {
  struct Case {
    int record;
    bool banner;
  };
  for (const Case c : {Case{999, true}, Case{13, true}, Case{12, false}, Case{5, false}}) {
    SCOPED_TRACE(c.record);
    PuzzleGame g;
    g.startBuiltIn(1);
    g.form().settings.minRecord[1] = c.record;
    g.state().introWindow = false;
    g.runIntro();
    playWorkedExample(g);
    g.passes(20);
    EXPECT_TRUE(clearBannerShown(g));
    EXPECT_EQ(recordBannerShown(g), c.banner);
    EXPECT_EQ(g.form().settings.minRecord[1], c.banner ? 12 : c.record);
  }
}

TEST(StageClear, TheClearingStepRunsOutAndAHeldButtonDoesNotLeave) {
  PuzzleGame g;
  g.startUserSet("one.qrl", stageSetLines({{"10CC"}, {"10CC"}}), 1);
  g.runIntro();
  g.game.hold(kKeySpace);  // running: 8 frames a step
  g.step(kKeyRight);
  ASSERT_EQ(g.form().sceneNumber, kSceneClear);
  for (int frame = 1; frame < 8; ++frame) {
    g.pass();
    EXPECT_EQ(g.state().spriteX, 32 + 4 * frame);
    EXPECT_TRUE(g.pictureShownAt(g.form().pictures.face.get(), faceFrame(4, 0), g.state().spriteX, 64));
  }
  EXPECT_TRUE(g.game.effects.empty() || g.game.effects.back().name != "next");
  g.passes(30);
  EXPECT_EQ(g.game.effects.back().name, "next");
  EXPECT_EQ(g.form().sceneNumber, kSceneClear);
  EXPECT_EQ(g.form().currentStage, 1);

  leaveClear(g);
  EXPECT_EQ(g.form().currentStage, 2);
  // The fly-off: 0.5 pixels a frame faster each frame, the player onwards, the banner down.
  const int flyX[] = {64, 65, 66, 68, 70};
  const int bannerY[] = {86, 87, 89, 91, 93};
  for (int frame = 0; frame < 5; ++frame) {
    g.pass();
    EXPECT_EQ(g.state().spriteX, flyX[frame]);
    EXPECT_TRUE(g.pictureShownAt(g.form().pictures.title.get(), kClearBanner, 0, bannerY[frame])) << frame;
  }
  const int passesBefore = g.game.passes;
  ASSERT_TRUE(g.game.runUntilScene(kSceneIntro, 200));
  EXPECT_EQ(g.game.passes - passesBefore, 99 - 5);
}

TEST(StageClear, ATwoStageUserSetPlayedToTheEnd) {
  PuzzleGame g;
  g.startUserSet("two.qrl", stageSetLines({{"10CC"}, {"10DD"}}), 1);
  g.runIntro();
  g.step(kKeyRight);
  g.passes(20);
  EXPECT_TRUE(recordBannerShown(g));
  leaveClear(g);
  UserRecords written;
  readUserRecords(g.recordPath(), 3, written);
  EXPECT_EQ(written.userMinRecord[1], 1);
  EXPECT_EQ(written.userMinRecord[2], 999);
  EXPECT_EQ(written.userContinue, 2);
  EXPECT_EQ(g.form().userRecords.userContinue, 2);

  ASSERT_TRUE(g.game.runUntilScene(kScenePlay, 400));
  EXPECT_EQ(g.form().currentStage, 2);
  g.step(kKeyRight);
  g.passes(20);
  g.game.music.clear();
  leaveClear(g);
  EXPECT_EQ(g.form().sceneNumber, kSceneEnding);
  ASSERT_EQ(g.game.music.size(), 1u);
  EXPECT_EQ(g.game.music[0].file, "stop");
  readUserRecords(g.recordPath(), 3, written);
  EXPECT_EQ(written.userMinRecord[1], 1);
  EXPECT_EQ(written.userMinRecord[2], 1);
  EXPECT_EQ(written.userContinue, 2);
  // The check value: (417 x 1 + 417 x 1) mod 8801, then + 2 x the third record (999).
  EXPECT_EQ(userRecordsCheckValue(3, written), (834 + 2 * 999) % 8801);
}

TEST(StageClear, AReplayWithoutANewRecordWritesNothing) {
  PuzzleGame g;
  g.game.writeFile("two.qrl", stageSetLines({{"10CC"}, {"10DD"}}));
  UserRecords reached;
  reached.userMinRecord[1] = 1;
  reached.userContinue = 2;
  g.form().userStageFileName = "two.qrl";
  ASSERT_TRUE(writeUserRecords(g.recordPath(), 3, reached));
  g.startUserSet("two.qrl", stageSetLines({{"10CC"}, {"10DD"}}), 1);
  ASSERT_EQ(g.form().userRecords.userContinue, 2);
  std::filesystem::remove(g.recordPath());
  g.runIntro();
  g.step(kKeyRight);
  g.passes(20);
  EXPECT_FALSE(recordBannerShown(g));
  leaveClear(g);
  EXPECT_FALSE(std::filesystem::exists(g.recordPath()));
  EXPECT_TRUE(g.game.runUntilScene(kSceneIntro, 200));
  EXPECT_EQ(g.form().currentStage, 2);
}

TEST(StageClear, TheLastStageOfAUserSetAlwaysEnds) {
  // A continue value at or above the stage limit (a hand-made record file) and no new record.
  for (int userContinue : {2, 3, 7}) {
    SCOPED_TRACE(userContinue);
    PuzzleGame g;
    g.startUserSet("two.qrl", stageSetLines({{"10CC"}, {"10DD"}}), 2);
    g.form().userRecords.userMinRecord[2] = 1;
    g.form().userRecords.userContinue = userContinue;
    g.state().introWindow = false;
    g.runIntro();
    g.step(kKeyRight);
    g.passes(20);
    leaveClear(g);
    EXPECT_EQ(g.form().sceneNumber, kSceneEnding);
    EXPECT_EQ(g.form().userRecords.userContinue, userContinue);
  }
}

TEST(StageClear, ANewRecordOnAnEarlierStageOpensNoFurtherStage) {
  PuzzleGame g;
  g.startUserSet("two.qrl", stageSetLines({{"10CC"}, {"10DD"}}), 1);
  g.form().userRecords.userMinRecord[1] = 5;
  g.form().userRecords.userMinRecord[2] = 5;
  g.form().userRecords.userContinue = 2;
  g.state().introWindow = false;
  g.runIntro();
  g.step(kKeyRight);
  g.passes(20);
  leaveClear(g);
  UserRecords written;
  readUserRecords(g.recordPath(), 3, written);
  EXPECT_EQ(written.userMinRecord[1], 1);
  EXPECT_EQ(written.userContinue, 2);
  EXPECT_EQ(g.form().userRecords.userContinue, 2);
}

TEST(StageClear, ARecordFileThatCannotBeWrittenLetsTheGameGoOn) {
  PuzzleGame g;
  g.form().userStageFileName = "two.qrl";
  std::filesystem::create_directories(g.recordPath());  // a folder where the file should go
  g.startUserSet("two.qrl", stageSetLines({{"10CC"}, {"10DD"}}), 1);
  g.runIntro();
  g.step(kKeyRight);
  g.passes(20);
  leaveClear(g);
  EXPECT_TRUE(g.game.runUntilScene(kSceneIntro, 200));
  EXPECT_EQ(g.form().currentStage, 2);
  EXPECT_EQ(g.form().userRecords.userContinue, 2);
  EXPECT_TRUE(g.game.platform.dialogsImpl.shown.empty());
}

TEST(StageClear, TheBuiltInSetRaisesItsContinueValueUpToTheLastStage) {
  struct Case {
    int stage, continueBefore, continueAfter, scene;
  };
  const Case cases[] = {{5, 5, 6, kSceneClear}, {5, 9, 9, kSceneClear}, {20, 20, 20, kSceneEnding}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stage);
    PuzzleGame g;
    g.startBuiltIn(c.stage);
    // The stage made short: its blocks taken away, two equal ones put beside the player.
    GameStageSet& set = g.form().stageSet;
    Board& board = set.board[c.stage];
    for (auto& column : board)
      for (int& cell : column)
        if (isBlock(cell)) cell = kFloor;
    const int x = set.startX[c.stage], y = set.startY[c.stage];
    board[x + 1][y] = board[x + 2][y] = tileCodeOf('C').value();
    g.form().settings.continueValue = c.continueBefore;
    g.state().introWindow = false;
    g.runIntro();
    g.step(kKeyRight);
    g.passes(20);
    leaveClear(g);
    EXPECT_EQ(g.form().settings.continueValue, c.continueAfter);
    EXPECT_EQ(g.form().sceneNumber, c.scene);
    EXPECT_EQ(g.form().currentStage, c.stage + 1);
  }
}

TEST(StageClear, ClearingInTestPlayClosesTheGameAfterTheTransition) {
  GameHarness game;
  game.writeTemporaryStageFile(stageSetLines({{"10CC"}, {"10DD"}}));
  ASSERT_TRUE(game.start({"1"}));
  ASSERT_TRUE(game.runUntilScene(kScenePlay, 400));
  game.hold(kKeyRight);
  game.runPasses(1);
  game.releaseAll();
  ASSERT_TRUE(game.runUntilScene(kSceneClear, 5));
  game.runPasses(30);
  const int presentsBefore = game.presents();
  game.hold(kKeySpace);
  game.runPasses(1);
  EXPECT_TRUE(game.form().closed());
  EXPECT_EQ(game.presents() - presentsBefore, 56);  // the whole transition, nothing after the close
  // Test play keeps no records.
  for (const auto& entry : std::filesystem::directory_iterator(game.folder())) {
    if (entry.path().extension() == ".dat") {
      EXPECT_EQ(entry.path().filename(), "quorel.dat");
    }
  }
}

}  // namespace
}  // namespace quorel::testing
