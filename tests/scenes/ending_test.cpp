#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "game/scenes/ending.h"
#include "game/shell/frame_timing.h"
#include "tests/scenes/puzzle_game.h"

namespace quorel::testing {
namespace {

const Rect kWholeScreen{0, 0, 640, 480};
const Rect kTitleBand{0, 0, 640, 60};

// What one pass of the Ending did.
struct PassRecord {
  int t = 0;           // endingFrame as the pass began
  std::uint32_t waited = 0;  // from the end of the previous frame wait to the end of this pass's last
  int rollTopAfter = 0;
  int scene = 0;
  std::uint64_t frameHash = 0;
  friend bool operator==(const PassRecord&, const PassRecord&) = default;
};

std::uint64_t hashOf(const std::vector<std::uint32_t>& pixels) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (const std::uint32_t p : pixels) hash = (hash ^ p) * 1099511628211ULL;
  return hash;
}

// The game just after the last stage of a set: the built-in one, or a user set of `stages`
// stages designed by "TESTER".
class EndingGame {
 public:
  EndingGame() {
    EXPECT_TRUE(game.start());
    auto owned = std::make_unique<Ending>();
    scene = owned.get();
    form().registerScene(kSceneEnding, std::move(owned));
  }

  TForm1& form() { return game.form(); }

  void enterAfterBuiltInSet() {
    form().userStage = false;
    ASSERT_TRUE(form().loadStageSet(""));
    form().sceneNumber = kSceneEnding;
  }
  void enterAfterUserSet(int stages) {
    game.writeFile("set.qrl", stageSetLines(std::vector<StageLines>(static_cast<std::size_t>(stages), {"10CC"})));
    form().userStage = true;
    ASSERT_TRUE(form().loadStageSet(game.folder() + "set.qrl"));
    form().sceneNumber = kSceneEnding;
  }

  // Runs passes until the Title menu, recording each one.
  std::vector<PassRecord> runToTitle() {
    std::vector<PassRecord> passes;
    while (form().sceneNumber == kSceneEnding && passes.size() < 2000) {
      PassRecord record;
      record.t = scene->endingFrame;
      const std::uint32_t before = form().waiter->lastWaitEnd();
      game.runPasses(1);
      record.waited = form().waiter->lastWaitEnd() - before;
      record.rollTopAfter = scene->rollTop;
      record.scene = form().sceneNumber;
      record.frameHash = hashOf(game.lastFrame());
      passes.push_back(record);
    }
    return passes;
  }

  GameHarness game;
  Ending* scene = nullptr;
};

// The frame waits of each pass by its t: 70 ms, 40, 45, 45 + 90 at the roll's end, then 90.
// The pass with t = 100 also runs the reveal of the roll's background, 56 frames of 20 ms.
std::uint32_t expectedWait(int t) {
  if (t <= 30) return 70;
  if (t < 100) return 40;
  if (t == 100) return 40 + 56 * 20;
  if (t < 750) return 45;
  if (t == 750) return 45 + 90;
  return 90;
}

TEST(Ending, TheLongTimelinePassByPass) {
  EndingGame g;
  g.enterAfterBuiltInSet();
  const std::vector<PassRecord> passes = g.runToTitle();
  // 900 passes, t = 0 to 899, and the finish on its own pass with t = 900.
  ASSERT_EQ(passes.size(), 901u);
  for (int t = 0; t < 900; ++t) {
    const PassRecord& pass = passes[static_cast<std::size_t>(t)];
    ASSERT_EQ(pass.t, t);
    // The first pass waits from the set-up's last reveal frame as well.
    if (t > 0) {
      EXPECT_EQ(pass.waited, expectedWait(t)) << t;
    }
    const int rollTop = t < 101 ? 480 : (t < 750 ? 480 - 2 * (t - 100) : 480);
    EXPECT_EQ(pass.rollTopAfter, rollTop) << t;
    EXPECT_EQ(pass.scene, kSceneEnding);
  }
  EXPECT_EQ(passes.back().t, 900);
  EXPECT_EQ(passes.back().scene, kSceneTitle);
  EXPECT_EQ(g.scene->endingFrame, 0);
  EXPECT_FALSE(g.scene->endingReady);

  // "attend" once, on the pass with t = 748; the title music at the finish.
  ASSERT_EQ(g.game.effects.size(), 1u);
  EXPECT_EQ(g.game.effects[0].name, "attend");
  EXPECT_EQ(g.game.effects[0].pass, 748);
  ASSERT_EQ(g.game.music.size(), 2u);
  EXPECT_EQ(g.game.music[0].file, "bgm/bgm03.mid");
  EXPECT_EQ(g.game.music[0].pass, 0);
  EXPECT_EQ(g.game.music[1].file, "bgm/bgm02.mid");
  EXPECT_EQ(g.game.music[1].pass, 900);
  EXPECT_TRUE(g.form().playState.introWindow);
}

TEST(Ending, TheSetUpRevealsTwiceWithAPlainSecondBetween) {
  EndingGame g;
  g.enterAfterBuiltInSet();
  g.form().playState.introWindow = false;
  g.game.hold(vk::kShift);  // shortens every frame wait, but not the sleep
  g.game.runPasses(1);
  const auto& times = g.game.platform.displayImpl.presentTimes;
  ASSERT_EQ(times.size(), 4u + 56 + 56 + 1);
  EXPECT_GE(times[4 + 56] - times[4 + 55], 1000u);
  EXPECT_LT(times[4 + 55] - times[4 + 54], 1000u);
  EXPECT_NE(g.form().pictures.endingback, nullptr);
  EXPECT_NE(g.form().pictures.endingback2, nullptr);
  EXPECT_NE(g.form().pictures.endingfont, nullptr);
  // Below the texts the background, and the band over it.
  EXPECT_TRUE(pictureShownAt(g.game, g.form().pictures.endingback.get(), {0, 200, 640, 430}, 0, 200));
  EXPECT_TRUE(pictureShownAt(g.game, g.form().pictures.endingfont.get(), kTitleBand, 0, 30));
}

TEST(Ending, WhereTheShortAndTheLongSetPart) {
  struct Case {
    int stages;
    bool shortSet;
  };
  for (const Case c : {Case{1, true}, Case{13, true}, Case{14, false}}) {
    SCOPED_TRACE(c.stages);
    EndingGame g;
    g.form().settings.bgm = false;
    g.enterAfterUserSet(c.stages);
    g.game.runPasses(31);  // t = 0 to 30
    EXPECT_TRUE(textShownAt(g.game, 10, 120, "You achieved the puzzle of QUOREL!!"));
    EXPECT_TRUE(textShownAt(g.game, 70, 180, "Thank you for your playing!!"));
    EXPECT_EQ(textShownAt(g.game, 10, 440, "MAP DESIGN : TESTER"), c.shortSet);
    // Phase 2's tenth pass: the texts 0.25 x 10 x 9 = 22.5 pixels apart from where they stood.
    g.game.runPasses(10);
    EXPECT_TRUE(textShownAt(g.game, 10, 142, "You achieved the puzzle of QUOREL!!"));
    EXPECT_TRUE(textShownAt(g.game, 70, 157, "Thank you for your playing!!"));
    EXPECT_EQ(textShownAt(g.game, 32, 440, "MAP DESIGN : TESTER"), c.shortSet);
    g.game.runPasses(59);  // t = 41 to 99
    EXPECT_EQ(g.form().sceneNumber, kSceneEnding);
    g.game.runPasses(1);  // t = 100
    if (c.shortSet) {
      EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
      EXPECT_EQ(g.form().pictures.endingback, nullptr);
      EXPECT_TRUE(g.game.effects.empty());
    } else {
      EXPECT_EQ(g.form().sceneNumber, kSceneEnding);
      EXPECT_TRUE(pictureShownAt(g.game, g.form().pictures.endingback2.get(), kWholeScreen, 0, 0));
    }
    EXPECT_EQ(g.scene->spreadOffset, 0.0);
    EXPECT_EQ(g.scene->spreadSpeed, 0.0);
    EXPECT_TRUE(g.game.music.empty()) << "BGM off: silent but for attend";
  }
}

TEST(Ending, TheRollCarriesTheDesignerAndTheCreditTypesItself) {
  EndingGame g;
  g.enterAfterUserSet(14);
  g.game.runPasses(292);  // up to t = 291, drawn with the roll's top at 480 - 2 x 190
  const int top = 100;
  EXPECT_TRUE(textShownAt(g.game, 300 - 16 * 4, top, "- STAFF -"));
  EXPECT_TRUE(textShownAt(g.game, 300 - 16 * 5, top + 80, "GAME DESIGN"));
  EXPECT_TRUE(textShownAt(g.game, 300 - 16 * 5, top + 280, "MAP DESIGN"));
  EXPECT_TRUE(textShownAt(g.game, 300 - 16 * 3, top + 300, "TESTER"));

  g.game.runPasses(750 - 292);  // up to t = 749
  g.game.runPasses(1);  // t = 750: the roll's last frame, then the credit's first, still empty
  EXPECT_EQ(g.scene->rollTop, 480);
  const Rect rightOfTheCredit{490, 220, 640, 236};
  for (int t = 751; t <= 775; ++t) {
    g.game.runPasses(1);
    const std::string typed = std::string(kCreditLine).substr(0, static_cast<std::size_t>(t - 750));
    ASSERT_TRUE(textShownAt(g.game, 12490 - 16 * t, 220, typed)) << t;
    ASSERT_TRUE(pictureShownAt(g.game, g.form().pictures.endingback2.get(), rightOfTheCredit, 490, 220)) << t;
  }
  EXPECT_TRUE(textShownAt(g.game, 90, 220, kCreditLine));
}

TEST(Ending, Button1SkipsOnlyInThePhaseOfTheWholeCreditLine) {
  EndingGame g;
  g.enterAfterBuiltInSet();
  g.game.hold(vk::kSpace);  // held from the Stage clear on, and never released
  const std::vector<PassRecord> passes = g.runToTitle();
  ASSERT_EQ(passes.size(), 777u);
  EXPECT_EQ(passes.back().t, 776);
  EXPECT_EQ(passes.back().scene, kSceneTitle);
  EXPECT_EQ(g.scene->endingFrame, 0);
  EXPECT_EQ(g.form().pictures.endingfont, nullptr);
}

TEST(Ending, ASecondEndingPlaysTheSameAndEachReleasesItsPictures) {
  EndingGame g;
  g.enterAfterUserSet(14);
  const std::vector<PassRecord> first = g.runToTitle();
  EXPECT_EQ(g.form().pictures.endingback, nullptr);
  EXPECT_EQ(g.form().pictures.endingback2, nullptr);
  EXPECT_EQ(g.form().pictures.endingfont, nullptr);
  g.form().sceneNumber = kSceneEnding;
  const std::vector<PassRecord> second = g.runToTitle();
  // The first pass also waited for whatever came before the ending.
  ASSERT_EQ(first.size(), second.size());
  EXPECT_EQ(first[0].frameHash, second[0].frameHash);
  EXPECT_TRUE(std::equal(first.begin() + 1, first.end(), second.begin() + 1));
  EXPECT_EQ(g.form().pictures.endingback, nullptr);
}

TEST(Ending, F9DuringThePlainSleepClosesTheGameCleanly) {
  EndingGame g;
  g.enterAfterBuiltInSet();
  std::uint32_t slept = 0;
  int presentsAtSleep = 0;
  g.game.platform.clockImpl.whileSleeping = [&](std::uint32_t milliseconds) {
    slept = milliseconds;
    presentsAtSleep = g.game.presents();
    g.game.keyDown(vk::kF9);
  };
  g.game.runPasses(1);
  EXPECT_EQ(slept, 1000u);
  EXPECT_TRUE(g.form().closed());
  // The second reveal shows its first frame before it handles the messages; nothing follows.
  EXPECT_EQ(g.game.presents(), presentsAtSleep + 1);
  EXPECT_EQ(g.form().pictures.endingback, nullptr);
  EXPECT_EQ(g.form().pictures.endingfont, nullptr);
  EXPECT_TRUE(std::filesystem::exists(g.game.folder() + "quorel.dat"));
}

}  // namespace
}  // namespace quorel::testing
