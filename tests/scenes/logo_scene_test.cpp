#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenes/front_end.h"

namespace quorel::testing {
namespace {

const char* const kPresenter = "PRESENTED BY ....";

bool logoRowShown(FrontEnd& g, int row, int y) {
  return g.pictureShownAt(g.form().pictures.logo.get(), {0, row, 532, row + 1}, 70, y);
}

// Runs the logo up to and including the pass at t = `last`; `check` sees each pass's t, the
// frame wait it made (0 for none: the wait's end did not move) and the frame it presented.
void runLogo(FrontEnd& g, int last, const std::function<void(int t, std::uint32_t wait)>& check) {
  for (int t = 0; t <= last; ++t) {
    ASSERT_EQ(g.form().sceneNumber, kSceneLogo) << t;
    const std::uint32_t before = g.lastWaitEnd();
    g.pass();
    check(t, g.lastWaitEnd() - before);
  }
}

TEST(LogoScene, TheTimelineAtItsBoundaries) {
  FrontEnd g(kSceneLogo);
  int checked = 0;
  runLogo(g, 148, [&](int t, std::uint32_t wait) {
    SCOPED_TRACE(t);
    switch (t) {
      case 8:
        EXPECT_EQ(wait, 0u);
        EXPECT_TRUE(g.allBlack({0, 0, 640, 480}));
        break;
      case 9:  // one character, at the right end of the line to come
        EXPECT_EQ(wait, 80u);
        EXPECT_TRUE(g.textShownAt(432, 220, "P"));
        EXPECT_TRUE(g.allBlack({0, 0, 432, 480}));
        EXPECT_TRUE(g.allBlack({448, 0, 640, 480}));
        break;
      case 25:  // every character, still ending at x = 448
        EXPECT_EQ(wait, 80u);
        EXPECT_TRUE(g.textShownAt(176, 220, kPresenter));
        EXPECT_TRUE(g.allBlack({0, 0, 176, 480}));
        break;
      case 26:
        EXPECT_EQ(wait, 80u);
        EXPECT_TRUE(g.textShownAt(160, 220, kPresenter));
        EXPECT_TRUE(g.allBlack({0, 0, 160, 480}));
        break;
      case 70:  // rows 30 pixels apart, those beyond the edges left out
        EXPECT_GE(wait, 40u);
        EXPECT_TRUE(logoRowShown(g, 22, 0));
        EXPECT_TRUE(logoRowShown(g, 30, 240));
        EXPECT_TRUE(logoRowShown(g, 37, 450));
        EXPECT_TRUE(g.allBlack({0, 241, 640, 270}));
        EXPECT_TRUE(g.allBlack({0, 451, 640, 480}));
        break;
      case 99:  // one pixel below the resting picture
        EXPECT_EQ(wait, 40u);
        EXPECT_TRUE(g.pictureShownAt(g.form().pictures.logo.get(), {0, 0, 532, 60}, 70, 181));
        EXPECT_TRUE(g.allBlack({0, 0, 640, 181}));
        break;
      case 100:
        EXPECT_EQ(wait, 40u);
        EXPECT_TRUE(g.pictureShownAt(g.form().pictures.logo.get(), {0, 0, 532, 59}, 70, 180));
        EXPECT_TRUE(g.allBlack({0, 0, 640, 180}));
        break;
      default:
        return;
    }
    ++checked;
  });
  EXPECT_EQ(checked, 7);
  // The pass at t = 149 hands over: its frame, then the white tiles, then the title music.
  EXPECT_EQ(g.presentsOfPass(), 1 + 56);
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
  EXPECT_EQ(g.game.pixel(320, 240), 0xFFFFFFu);
  ASSERT_EQ(g.game.music.size(), 1u);
  EXPECT_EQ(g.game.music[0].file, "bgm/bgm02.mid");
  EXPECT_EQ(g.game.music[0].pass, 149);
  ASSERT_EQ(g.game.effects.size(), 2u);
  EXPECT_EQ(g.game.effects[0].name, "attend");
  EXPECT_EQ(g.game.effects[0].pass, 0);
  EXPECT_EQ(g.game.effects[1].name, "logo");
  EXPECT_EQ(g.game.effects[1].pass, 99);
}

TEST(LogoScene, AButtonHeldFromTheStartSkipsOnlyWhenPressedAgain) {
  FrontEnd g(kSceneLogo);
  g.game.hold(kKeySpace);
  g.passes(30);
  EXPECT_EQ(g.form().sceneNumber, kSceneLogo);
  g.game.release(kKeySpace);
  g.pass();
  g.game.hold(kKeySpace);
  g.game.platform.displayImpl.keepAllFrames = true;
  g.pass();
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
  // The skipping pass still drew its own frame (t = 31, the whole presenter line) before the tiles.
  ASSERT_FALSE(g.game.platform.displayImpl.frames.empty());
  g.game.platform.displayImpl.lastFrame = g.game.platform.displayImpl.frames.front();
  EXPECT_TRUE(g.textShownAt(160, 220, kPresenter));
  EXPECT_EQ(g.effectNames(), std::vector<std::string>{"attend"}) << "no \"logo\" after a skip before t = 99";
  EXPECT_EQ(g.musicFiles(), std::vector<std::string>{"bgm/bgm02.mid"});
}

TEST(LogoScene, TheHandOverFollowsFadeInOutAndBgm) {
  struct Case {
    bool fade, bgm;
    int presents;
    std::vector<std::string> music;
  };
  const Case cases[] = {
      {true, true, 57, {"bgm/bgm02.mid"}},
      {false, true, 1, {"bgm/bgm02.mid"}},
      {true, false, 57, {}},
      {false, false, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "fade " << c.fade << " bgm " << c.bgm);
    FrontEnd g(kSceneLogo);
    g.form().settings.fadeInOut = c.fade;
    g.form().settings.bgm = c.bgm;
    g.passes(5);
    g.game.hold(kKeySpace);
    EXPECT_EQ(g.presentsOfPass(), c.presents);
    EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
    EXPECT_EQ(g.musicFiles(), c.music);
  }
}

}  // namespace
}  // namespace quorel::testing
