#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenes/front_end.h"

namespace quorel::testing {
namespace {

const Rect kTitleBand{0, 0, 640, 188};
// The top rows of the two frames, which no text or bar covers.
const Rect kMenuFrameTop{0, 0, 265, 7};
const Rect kStageFrameTop{0, 0, 265, 4};

// The game at the Title menu with the given continue value, its slide-in over.
struct Title : FrontEnd {
  explicit Title(int continueValue = 1) : FrontEnd(kSceneTitle) {
    form().settings.continueValue = continueValue;
    passes(TitleMenu::kSlideFrames);
    pass();  // the first menu pass
    game.effects.clear();
  }

  bool highlightOn(int entry) {
    return pictureShownAt(form().pictures.cur.get(), {0, 0, 239, 18}, 210, 279 + 20 * entry);
  }
  bool stageLineShows(const std::string& number) { return textShownAt(210, 380, "STAGE SELECT:" + number); }
  bool atRest() {
    const Pictures& p = form().pictures;
    return pictureShownAt(p.title.get(), kTitleBand, 0, 10) && pictureShownAt(p.window1.get(), kMenuFrameTop, 198, 272);
  }
  void moveCursorTo(int entry) {
    for (int moves = 0; moves < 4 && !highlightOn(entry); ++moves) press(kKeyDown);
  }
};

// The title graphics at slide-in counter n; the title is checked once it reaches the screen.
bool slideFrameShown(FrontEnd& g, int n, bool stageFrame) {
  const Pictures& p = g.form().pictures;
  const int titleY = 10 - n * n;
  return (titleY + kTitleBand.bottom <= 0 || g.pictureShownAt(p.title.get(), kTitleBand, 0, titleY)) &&
         g.pictureShownAt(p.window1.get(), kMenuFrameTop, 198 + n * n / 3, 272 - n) &&
         g.pictureShownAt(p.window3.get(), kStageFrameTop, 196 - n * n / 3, 376 + n) == stageFrame;
}

TEST(TitleMenu, TheVisitOpensWithTheRevealAndFortySlideInFrames) {
  FrontEnd g(kSceneTitle);
  g.form().settings.continueValue = 4;
  g.game.platform.displayImpl.keepAllFrames = true;
  EXPECT_EQ(g.presentsOfPass(), 56 + 1);
  const auto& frames = g.game.platform.displayImpl.frames;
  // The reveal brings the background onto a white screen.
  EXPECT_EQ(frames.front(), std::vector<std::uint32_t>(640 * 480, 0xFFFFFFu));
  // n = 40: everything but the background is still off the screen.
  EXPECT_TRUE(g.pictureShownAt(g.form().pictures.titleback.get(), {0, 0, 640, 480}, 0, 0));
  for (int n = 39; n >= 1; --n) {
    g.pass();
    if (n == 20 || n == 2 || n == 1) {
      EXPECT_TRUE(slideFrameShown(g, n, true)) << n;
    }
  }
  const std::vector<std::uint32_t> lastSlideFrame = g.game.lastFrame();
  const std::uint32_t waitEnd = g.lastWaitEnd();
  g.pass();
  EXPECT_TRUE(slideFrameShown(g, 0, true));
  EXPECT_EQ(g.lastWaitEnd() - waitEnd, 120u) << "menu frames come every 120 ms";
  EXPECT_NE(g.game.lastFrame(), lastSlideFrame);
}

TEST(TitleMenu, AFreshPressSkipsTheSlideInAndChoosesOnlyWhenPressedAgain) {
  FrontEnd g(kSceneTitle);
  g.passes(10);
  g.game.hold(kKeySpace);
  g.pass();
  g.pass();
  EXPECT_TRUE(slideFrameShown(g, 0, false));
  EXPECT_TRUE(g.textInBarShown(210, 280, "   GAMESTART"));
  g.passes(5);
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
  g.game.release(kKeySpace);
  g.pass();
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneIntro);
}

TEST(TitleMenu, Button1HeldFromTheLogoChoosesNothingUntilReleased) {
  FrontEnd g(kSceneLogo);
  g.passes(3);
  g.game.hold(kKeySpace);
  ASSERT_TRUE(g.game.runUntilScene(kSceneTitle, 1));
  g.passes(TitleMenu::kSlideFrames);
  EXPECT_FALSE(slideFrameShown(g, 0, false)) << "the held button did not skip the slide-in";
  g.passes(10);
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
  g.game.release(kKeySpace);
  g.pass();
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneIntro);
}

TEST(TitleMenu, TheCursorStopsSilentlyAtBothEndsAndRepeatsWhileHeld) {
  Title g;
  EXPECT_TRUE(g.highlightOn(0));
  g.press(kKeyUp);
  EXPECT_TRUE(g.game.effects.empty());
  g.game.hold(kKeyDown);
  g.passes(5);
  g.game.releaseAll();
  g.pass();
  EXPECT_TRUE(g.highlightOn(3));
  EXPECT_FALSE(g.highlightOn(2));
  EXPECT_EQ(g.effectNames(), std::vector<std::string>(3, "tcmove"));
  for (const EffectRequest& e : g.game.effects) EXPECT_EQ(e.pan, 0);
}

TEST(TitleMenu, TheStageSelectStaysWithinTheContinueValueAndPansByStage) {
  Title g(3);
  EXPECT_TRUE(g.pictureShownAt(g.form().pictures.window3.get(), kStageFrameTop, 196, 376));
  EXPECT_TRUE(g.stageLineShows("01"));
  g.press(kKeyLeft);
  g.game.hold(kKeyRight);
  g.passes(4);
  g.game.releaseAll();
  g.pass();
  EXPECT_TRUE(g.stageLineShows("03"));
  g.press(kKeyLeft);
  g.pass();
  EXPECT_TRUE(g.stageLineShows("02"));
  ASSERT_EQ(g.game.effects.size(), 3u);
  EXPECT_EQ(g.game.effects[0].name, "sup");
  EXPECT_EQ(g.game.effects[0].pan, 2 * 900 - 9000);
  EXPECT_EQ(g.game.effects[1].name, "sup");
  EXPECT_EQ(g.game.effects[1].pan, 3 * 900 - 9000);
  EXPECT_EQ(g.game.effects[2].name, "sdw");
  EXPECT_EQ(g.game.effects[2].pan, 2 * 900 - 9000);
}

TEST(TitleMenu, AContinueValueOf1ShowsNoStageSelect) {
  Title g(1);
  EXPECT_TRUE(g.atRest());
  EXPECT_FALSE(g.pictureShownAt(g.form().pictures.window3.get(), kStageFrameTop, 196, 376));
  EXPECT_FALSE(g.textShownAt(210, 380, "STAGE"));
  g.press(kKeyRight);
  g.press(kKeyLeft);
  EXPECT_TRUE(g.game.effects.empty());
}

// A continue value beyond the built-in set (a hand-made quorel.dat with a matching SUM) must not
// start a stage the set does not have.
TEST(TitleMenu, TheStageSelectEndsAtTheLastBuiltInStage) {
  Title g(25);
  g.game.hold(kKeyRight);
  g.passes(30);
  g.game.releaseAll();
  g.pass();
  EXPECT_TRUE(g.stageLineShows("20"));
  EXPECT_EQ(g.game.effects.back().pan, 20 * 900 - 9000);
  g.press(kKeySpace);
  EXPECT_EQ(g.form().currentStage, 20);
}

TEST(TitleMenu, GameStartPlaysTheBuiltInSetFromTheSelectedStage) {
  struct Case {
    bool fade, bgm;
    int presents;
    std::vector<std::string> music;
  };
  const Case cases[] = {
      {true, true, 56 + 56 + 1, {"bgm/bgm01.mid"}},
      {false, false, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "fade " << c.fade << " bgm " << c.bgm);
    Title g(5);
    g.form().settings.fadeInOut = c.fade;
    g.form().settings.bgm = c.bgm;
    g.press(kKeyRight);
    g.press(kKeyRight);
    g.game.hold(kKeySpace);
    EXPECT_EQ(g.presentsOfPass(), c.presents);
    EXPECT_EQ(g.form().sceneNumber, kSceneIntro);
    EXPECT_EQ(g.form().currentStage, 3);
    EXPECT_FALSE(g.form().userStage);
    EXPECT_EQ(g.form().stageSet.stageLimit, 21);
    EXPECT_EQ(g.musicFiles(), c.music);
    if (c.fade) {
      EXPECT_TRUE(g.allBlack({0, 0, 640, 480}));
    }
  }
}

TEST(TitleMenu, UsersStageAndOptionLeaveAndOptionResetsTheStageSelect) {
  Title g(4);
  g.press(kKeyRight);
  g.press(kKeyRight);
  g.moveCursorTo(1);
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneUserSelect);

  g.form().sceneNumber = kSceneTitle;
  g.passes(TitleMenu::kSlideFrames + 1);
  EXPECT_TRUE(g.stageLineShows("03")) << "the stage select is kept between visits";
  g.moveCursorTo(2);
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneOptions);

  g.form().sceneNumber = kSceneTitle;
  g.passes(TitleMenu::kSlideFrames + 1);
  EXPECT_TRUE(g.highlightOn(2)) << "the cursor is kept on OPTION";
  EXPECT_TRUE(g.stageLineShows("01"));
}

TEST(TitleMenu, ExitCoversTheScreenAndClosesTheProgram) {
  for (bool fade : {true, false}) {
    SCOPED_TRACE(fade);
    Title g;
    g.form().settings.fadeInOut = fade;
    g.moveCursorTo(3);
    g.game.hold(kKeySpace);
    EXPECT_EQ(g.presentsOfPass(), fade ? 56 + 56 + 1 : 1);
    EXPECT_EQ(g.form().sceneNumber, kSceneClose);
    g.pass();
    EXPECT_TRUE(g.form().closed());
  }
}

TEST(TitleMenu, EscapeClosesTheProgram) {
  Title g;
  g.game.keyDown(kKeyEscape);
  g.pass();
  EXPECT_TRUE(g.form().closed());
}

}  // namespace
}  // namespace quorel::testing
