#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "tests/scenes/puzzle_game.h"

namespace quorel::testing {
namespace {

// A room of floor: row 1 to 5, columns 1 to 18; blocks are far enough not to be touched.
const std::vector<std::string> kOpenRoom = stageSetLines({{"10000000000000000EE1", 5}});

void startInOpenRoom(PuzzleGame& g) {
  g.startUserSet("room.qrl", kOpenRoom, 1);
  g.state().introWindow = false;
  g.runIntro();
}

TEST(PlayScene, HorizontalInputWinsAndOpposedInputsCancel) {
  struct Case {
    const char* name;
    std::vector<int> keys;
    int x, y;
  };
  const Case cases[] = {
      {"left and up move left", {kKeyLeft, kKeyUp}, 4, 1},
      {"left and right cancel, down applies", {kKeyLeft, kKeyRight, kKeyDown}, 5, 2},
      {"up and down cancel, right applies", {kKeyUp, kKeyDown, kKeyRight}, 6, 1},
      {"all four cancel", {kKeyLeft, kKeyRight, kKeyUp, kKeyDown}, 5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PuzzleGame g;
    startInOpenRoom(g);
    for (int key : c.keys) g.game.hold(key);
    g.pass();
    g.game.releaseAll();
    EXPECT_EQ(g.state().playerX, c.x);
    EXPECT_EQ(g.state().playerY, c.y);
  }
}

TEST(PlayScene, StepsTakeTheirFramesAndMoveEvenPixelsPerFrame) {
  struct Case {
    bool drawLevel, running;
    int frames, pixels;
  };
  const Case cases[] = {{true, false, 16, 2}, {true, true, 8, 4}, {false, false, 8, 4}, {false, true, 4, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "drawLevel " << c.drawLevel << " running " << c.running);
    PuzzleGame g(c.drawLevel);
    startInOpenRoom(g);
    g.game.hold(kKeyRight);
    if (c.running) g.game.hold(kKeySpace);
    g.pass();
    g.game.releaseAll();
    std::vector<int> spriteX{g.state().spriteX};
    for (int frame = 1; frame <= c.frames; ++frame) {
      if (frame == c.frames / 2) g.game.hold(kKeyLeft);  // ignored while the step runs
      g.pass();
      spriteX.push_back(g.state().spriteX);
      const int row = (c.running && frame < c.frames) ? 4 : 0;  // facing right; the last frame is idle
      EXPECT_TRUE(g.pictureShownAt(g.form().pictures.face.get(), faceFrame(g.state().spriteFrame, row),
                                   g.state().spriteX, g.state().spriteY + 32))
          << frame;
      if (frame == c.frames / 2) g.game.releaseAll();
    }
    std::vector<int> expected;
    for (int frame = 0; frame < c.frames; ++frame) expected.push_back(160 + frame * c.pixels);
    expected.push_back(192);  // the next input frame puts the sprite on the new cell
    EXPECT_EQ(spriteX, expected);
    EXPECT_EQ(g.state().playerX, 6);
  }
}

TEST(PlayScene, Button2PausesAfterTheStepOfTheSameFrame) {
  PuzzleGame g;
  startInOpenRoom(g);
  g.game.hold(kKeyEnter);
  g.game.hold(kKeyDown);
  g.pass();
  g.game.releaseAll();
  EXPECT_EQ(g.state().playerY, 2);
  EXPECT_EQ(g.form().sceneNumber, kSceneRetry);
}

TEST(PlayScene, APushShowsThePushPoseUntilItsTimerPasses7) {
  PuzzleGame g;
  g.startUserSet("push.qrl", stageSetLines({{"10C00000000000000EE1"}}), 1);
  g.state().introWindow = false;
  g.runIntro();
  g.game.hold(kKeyRight);
  g.pass();
  g.game.releaseAll();
  int pushPoseFrames = 1;
  while (g.pass() == 1 && g.state().spriteFrame == 4) ++pushPoseFrames;
  EXPECT_EQ(pushPoseFrames, 37);
  EXPECT_EQ(g.state().spriteFrame, 0);
}

TEST(PlayScene, ASlidingBlockIsDrawnAheadOfThePlayer) {
  PuzzleGame g;
  g.startUserSet("push.qrl", stageSetLines({{"10C00000000000000EE1"}}), 1);
  g.state().introWindow = false;
  g.runIntro();
  g.game.hold(kKeyRight);
  g.pass();
  g.game.releaseAll();
  g.passes(5);
  const int x = g.state().spriteX + 32;
  EXPECT_EQ(x, 64 + 5 * 2);
  EXPECT_TRUE(g.pictureShownAt(g.form().pictures.map.get(), mapCellOf(13), x, 64));
  EXPECT_EQ(g.board()[3][1], kFloor);
}

TEST(PlayScene, OnlyRowZeroAndTheRowsAndColumnsThroughThePlayerAreRedrawn) {
  struct Case {
    int x, y;
    bool redrawn;
  };
  // The player stands at (5, 1) and has not moved this frame.
  const Case cases[] = {{12, 3, false}, {12, 0, true}, {5, 4, true}, {14, 1, true}, {1, 4, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    PuzzleGame g;
    startInOpenRoom(g);
    g.pass();
    g.form().stageSet.playBoard[1][c.x][c.y] = tileCodeOf('K').value();
    g.pass();
    EXPECT_EQ(g.cellShown(c.x, c.y, 'K'), c.redrawn);
  }
}

TEST(PlayScene, TheStatusLineCyclesThroughCountAndRecordEvery780Frames) {
  enum class Shows { Count, Record, Nothing };
  struct Case {
    int frame;
    Shows shows;
    int y;
  };
  const Case cases[] = {
      {1, Shows::Count, 8},     {269, Shows::Count, 8},   {270, Shows::Nothing, 0}, {300, Shows::Nothing, 0},
      {350, Shows::Record, 21}, {390, Shows::Record, 8},  {659, Shows::Record, 8},  {660, Shows::Nothing, 0},
      {700, Shows::Nothing, 0}, {770, Shows::Count, 11}, {780, Shows::Count, 8},   {781, Shows::Count, 8},
      {1049, Shows::Count, 8},  {1050, Shows::Nothing, 0},
  };
  PuzzleGame g;
  g.startBuiltIn(1);
  g.form().settings.minRecord[1] = 34;
  g.state().introWindow = false;
  g.runIntro();
  int frame = 0;
  for (const Case& c : cases) {
    g.passes(c.frame - frame);
    frame = c.frame;
    SCOPED_TRACE(frame);
    EXPECT_TRUE(g.textShownAt(10, 8, "STAGE:01"));
    EXPECT_TRUE(g.textShownAt(426, 8, "NG NUMBER:"));
    const bool count = g.textShownAt(170, c.y, "BLOCK MOVE:000", 32);
    const bool record = g.textShownAt(160, c.y, "MINIMUM MOVE:034", 32);
    EXPECT_EQ(count, c.shows == Shows::Count);
    EXPECT_EQ(record, c.shows == Shows::Record);
    if (c.shows == Shows::Nothing) {
      EXPECT_TRUE(g.allBlack({150, 0, 420, 32}));
    }
  }
}

TEST(PlayScene, ABlockMoveRestartsTheStatusLineWithTheNewCount) {
  PuzzleGame g;
  g.startUserSet("push.qrl", stageSetLines({{"10C00000000000000EE1"}}), 1);
  g.state().introWindow = false;
  g.runIntro();
  g.passes(400);
  EXPECT_TRUE(g.textShownAt(160, 8, "MINIMUM MOVE:999"));
  g.step(kKeyRight);
  EXPECT_TRUE(g.textShownAt(170, 8, "BLOCK MOVE:001"));
  EXPECT_EQ(g.game.effects.back().name, "move");
}

TEST(PlayScene, APlayerStartingOutsideTheGridIsHeldAtItsEdge) {
  PuzzleGame g;
  // Column 20 lies just beyond the right edge, beside the floor of column 19; "Z" has no picture.
  g.startUserSet("edge.qrl", stageSetLines({{"10000000000000EEZZ00", 20}}), 1);
  g.state().introWindow = false;
  g.runIntro();
  g.step(kKeyRight);
  EXPECT_EQ(g.state().playerX, 20);
  g.step(kKeyLeft);
  EXPECT_EQ(g.state().playerX, 19);
  g.step(kKeyLeft, 2);  // "Z" into "Z"
  EXPECT_EQ(g.board()[16][1], kFloor);
  EXPECT_EQ(g.board()[17][1], kFloor);
  EXPECT_EQ(g.game.effects.back().name, "clear");
  EXPECT_EQ(g.form().sceneNumber, kScenePlay);
}

TEST(PlayScene, GameWaitIsTheFramePeriodAboveThePacingsSixteenMilliseconds) {
  struct Case {
    int gameWait;
    std::uint32_t period;
  };
  for (const Case c : {Case{0, 16}, Case{10, 16}, Case{50, 50}, Case{99, 99}}) {
    SCOPED_TRACE(c.gameWait);
    PuzzleGame g;
    g.form().settings.gameWait = c.gameWait;
    startInOpenRoom(g);
    g.passes(3);
    const std::vector<std::uint32_t>& times = g.game.platform.displayImpl.presentTimes;
    const std::size_t first = times.size();
    g.game.hold(kKeyRight);  // walking changes nothing of the pace
    g.passes(20);
    for (std::size_t i = first; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], c.period) << i;
  }
}

TEST(PlayScene, AStartAnywhereInTheIntRangeIsNotDrawnAndEveryMoveFromItIsAWall) {
  // The format takes no sign, so a start lies anywhere from 0 to the largest int.
  const std::pair<int, int> starts[] = {{INT_MAX, 1}, {1, INT_MAX}, {INT_MAX, INT_MAX}, {20, 40}};
  for (const auto& [x, y] : starts) {
    SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
    PuzzleGame g;
    std::vector<std::string> lines = stageSetLines({{"10C00C"}});
    lines[2] = std::to_string(x);
    lines[3] = std::to_string(y);
    g.startUserSet("far.qrl", lines, 1);
    g.runIntro();  // the information window and the reveal, with the player's frame drawn
    for (int key : {kKeyLeft, kKeyRight, kKeyUp, kKeyDown}) g.step(key);
    EXPECT_EQ(g.state().playerX, x);
    EXPECT_EQ(g.state().playerY, y);
    EXPECT_EQ(g.state().blockMoves[1], 0);
    // Below the status line only the Board shows: the frame is the one a redraw of it gives.
    const std::vector<std::uint32_t> shown = g.game.lastFrame();
    drawBoard(g.form(), kWholeBoard);
    g.form().present();
    const std::vector<std::uint32_t>& board = g.game.lastFrame();
    const auto boardArea = static_cast<std::ptrdiff_t>(kBoardTop) * 640;
    EXPECT_TRUE(std::equal(shown.begin() + boardArea, shown.end(), board.begin() + boardArea));
  }
}

}  // namespace
}  // namespace quorel::testing
