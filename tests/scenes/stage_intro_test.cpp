#include <gtest/gtest.h>

#include <set>

#include "tests/scenes/puzzle_game.h"

namespace quorel::testing {
namespace {

const char* const kWindowRule = "---------------------------------";

struct IntroPhases {
  int windowPasses = 0;
  int transitionPresents = 0;
  int slidePasses = 0;
  std::set<int> flashPasses;  // passes (from the intro's first) whose frame shows the yellow frame
};

// Runs the intro pass by pass and sorts its passes by what they showed.
IntroPhases runIntroPhases(PuzzleGame& g) {
  IntroPhases phases;
  bool revealed = false;
  for (int index = 0; g.form().sceneNumber == kSceneIntro && index < 400; ++index) {
    const int before = g.game.presents();
    g.pass();
    const int presented = g.game.presents() - before;
    if (g.textShownAt(50, 50, kWindowRule)) {
      ++phases.windowPasses;
      if (g.game.pixel(308, 178) == kYellowPixel) phases.flashPasses.insert(index);
    } else if (index > 0 && !revealed) {
      revealed = true;
      phases.transitionPresents = presented - 1;
    } else if (revealed) {
      ++phases.slidePasses;
    }
  }
  return phases;
}

TEST(StageIntro, PhaseLengthsFollowDrawLevelAndTheWindow) {
  struct Case {
    bool drawLevel, window, fade;
    int windowPasses, transitionPresents, slidePasses;
  };
  const Case cases[] = {
      {true, true, true, 148, 56, 71},
      {false, true, true, 74, 28, 35},
      {true, false, true, 0, 56, 71},
      {false, false, true, 0, 28, 35},
      {true, true, false, 148, 0, 71},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "drawLevel " << c.drawLevel << " window " << c.window << " fade " << c.fade);
    PuzzleGame g(c.drawLevel);
    g.form().settings.fadeInOut = c.fade;
    g.startBuiltIn(1);
    g.state().introWindow = c.window;
    const IntroPhases phases = runIntroPhases(g);
    EXPECT_EQ(phases.windowPasses, c.windowPasses);
    EXPECT_EQ(phases.transitionPresents, c.transitionPresents);
    EXPECT_EQ(phases.slidePasses, c.slidePasses);
    EXPECT_EQ(g.form().sceneNumber, kScenePlay);
    EXPECT_FALSE(g.state().introWindow);
    EXPECT_EQ(g.game.effects.size(), c.window ? 3u : 0u);
  }
}

TEST(StageIntro, TheNgFrameFlashesThreeTimesEachStartingWithAttend) {
  PuzzleGame g;
  g.startBuiltIn(1);
  const IntroPhases phases = runIntroPhases(g);
  std::set<int> expected;
  for (int start : {20, 70, 120})
    for (int t = start; t < start + 25; ++t) expected.insert(t);
  EXPECT_EQ(phases.flashPasses, expected);
  ASSERT_EQ(g.game.effects.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(g.game.effects[i].name, "attend");
    EXPECT_EQ(g.game.effects[i].pan, 0);
  }
  EXPECT_EQ(g.game.effects[0].pass + 50, g.game.effects[1].pass);
  EXPECT_EQ(g.game.effects[1].pass + 50, g.game.effects[2].pass);
}

TEST(StageIntro, TheWindowShowsStageRecordAndNgIcon) {
  struct Case {
    int ng;
    int record;
    const char* recordText;
  };
  // NG numbers above 15 show the block of that value from the second row of the tile sheet.
  for (const Case c : {Case{6, 999, "999"}, Case{20, 42, "042"}, Case{25, 7, "007"}}) {
    SCOPED_TRACE(c.ng);
    PuzzleGame g;
    g.startUserSet("ng.qrl", stageSetLines({{"10CC", 1, c.ng}, {"10CC", 1, c.ng}}), 2);
    g.form().userRecords.userMinRecord[2] = c.record;
    g.passes(10);
    EXPECT_TRUE(g.textShownAt(140, 100, "STAGE:02"));
    EXPECT_TRUE(g.textShownAt(116, 150, std::string("MINIMUM BLOCK MOVE:") + c.recordText));
    EXPECT_TRUE(g.textShownAt(116, 190, "NG NUMBER:"));
    EXPECT_TRUE(g.textShownAt(130, 250, "PUSH ANY BUTTON"));
    EXPECT_TRUE(g.pictureShownAt(g.form().pictures.map.get(), mapCellOf(c.ng + 10), 312, 182));
  }
}

TEST(StageIntro, AButtonHeldOnEntryClosesTheWindowOnlyWhenPressedAgain) {
  PuzzleGame g;
  g.startBuiltIn(1);
  g.game.hold(kKeySpace);
  g.passes(30);
  EXPECT_TRUE(g.textShownAt(50, 50, kWindowRule));
  EXPECT_TRUE(g.state().introWindow);
  g.game.release(kKeySpace);
  g.pass();
  EXPECT_TRUE(g.state().introWindow);
  g.press(kKeyEnter);  // button 2 closes it as well
  EXPECT_FALSE(g.state().introWindow);
  g.pass();  // the reveal
  EXPECT_FALSE(g.textShownAt(50, 50, kWindowRule));
  EXPECT_EQ(g.game.effects.size(), 1u);  // the first "attend" only
}

TEST(StageIntro, TheLastSlideFrameShowsTheStatusLineInPlaceAndThePlayerFacingDown) {
  PuzzleGame g;
  g.startBuiltIn(1);
  g.state().introWindow = false;
  g.state().facing = 0;
  g.runIntro();
  EXPECT_TRUE(g.textShownAt(10, 8, "STAGE:01"));
  EXPECT_TRUE(g.textShownAt(170, 8, "BLOCK MOVE:000"));
  EXPECT_TRUE(g.textShownAt(426, 8, "NG NUMBER:"));
  EXPECT_TRUE(g.pictureShownAt(g.form().pictures.map.get(), ngIconOf(6), 590, 0));
  EXPECT_TRUE(g.pictureShownAt(g.form().pictures.face.get(), faceFrame(0, 2), 3 * 32, 5 * 32 + 32));
  EXPECT_TRUE(g.cellShown(6, 5, 'E'));
  EXPECT_TRUE(g.cellShown(17, 6, 'C'));
}

TEST(StageIntro, TheStatusLineSlidesDownAndTheNgIconComesFromTheTopLeft) {
  PuzzleGame g;
  g.startBuiltIn(1);
  g.state().introWindow = false;
  g.passes(2);  // the first pass and the reveal: the timer stands at 151
  for (int t = 151; t < 222; ++t) {
    g.pass();
    const int y = (t - 150) / 3 - 15;
    if (y >= 0) {
      EXPECT_TRUE(g.textShownAt(10, y, "STAGE:01")) << t;
    }
    if (t >= 200) {
      EXPECT_TRUE(g.pictureShownAt(g.form().pictures.map.get(), ngIconOf(6), 590 - (221 - t), (t - 221) / 5)) << t;
    }
  }
  EXPECT_EQ(g.form().sceneNumber, kScenePlay);
}

}  // namespace
}  // namespace quorel::testing
