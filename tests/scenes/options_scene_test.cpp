#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "game/shell/settings.h"
#include "tests/scenes/front_end.h"

namespace quorel::testing {
namespace {

constexpr int kBgm = 0, kSe = 1, kJoystick = 2, kDrawLevel = 4, kGameWait = 5, kRankingInit = 6, kReturn = 7;

// The game in the Options, its entrance over.
struct Options : FrontEnd {
  explicit Options(const std::function<void(Settings&)>& settings = {}) : FrontEnd(kSceneOptions) {
    if (settings) settings(form().settings);
    pass();
    game.effects.clear();
    game.music.clear();
  }

  bool highlightOn(int entry) {
    return pictureShownAt(form().pictures.cur.get(), {0, 18, 321, 36}, 170, 118 + 40 * entry);
  }
  void moveCursorTo(int entry) {
    for (int moves = 0; moves < 8 && !highlightOn(entry); ++moves) press(kKeyDown);
    game.effects.clear();
  }
  bool valueShown(int entry, const std::string& text) {
    const int x = text.size() == 2 ? 428 : 420;
    return textInBarShown(x, 120 + 40 * entry, text);
  }
};

TEST(Options, TheEntriesShowTheirValues) {
  Options g([](Settings& s) {
    s.bgm = false;
    s.joystick = false;
    s.drawLevel = false;
    s.gameWait = 7;
  });
  EXPECT_TRUE(g.textShownAt(32, 50, "----------(((( OPTION ))))----------"));
  const char* labels[] = {"BGM", "SE", "JOY STICK", "FADE IN/OUT", "DRAW LEVEL", "GAME WAIT", "RANKING INIT",
                          "RETURN TO TITLE"};
  for (int entry = 0; entry < 8; ++entry) EXPECT_TRUE(g.textInBarShown(210, 120 + 40 * entry, labels[entry])) << entry;
  EXPECT_TRUE(g.valueShown(0, "OFF"));
  EXPECT_TRUE(g.valueShown(1, "ON"));
  EXPECT_TRUE(g.valueShown(2, "OFF"));
  EXPECT_TRUE(g.valueShown(3, "ON"));
  EXPECT_TRUE(g.valueShown(4, "LOW"));
  EXPECT_TRUE(g.valueShown(5, "07"));
  EXPECT_TRUE(g.highlightOn(kBgm));
  EXPECT_TRUE(g.allBlack({0, 0, 200, 40})) << "no mosaic at DRAW LEVEL LOW";
}

TEST(Options, TheCursorWrapsAndMovesOnEveryPassWhileHeld) {
  Options g;
  g.press(kKeyUp);
  EXPECT_TRUE(g.highlightOn(kReturn));
  g.press(kKeyDown);
  EXPECT_TRUE(g.highlightOn(kBgm));
  g.game.hold(kKeyDown);
  g.passes(3);
  EXPECT_TRUE(g.highlightOn(3));
  g.game.hold(kKeyUp);
  g.passes(2);
  g.game.releaseAll();
  EXPECT_TRUE(g.highlightOn(3)) << "Up with Down stays put";
  EXPECT_EQ(g.effectNames(), std::vector<std::string>(2 + 3 + 4, "tcmove"));
}

TEST(Options, EachSwitchFlipsOncePerPressOfLeftRightOrButton1) {
  const std::pair<int, bool Settings::*> switches[] = {
      {kBgm, &Settings::bgm}, {kSe, &Settings::se}, {3, &Settings::fadeInOut}, {kDrawLevel, &Settings::drawLevel}};
  for (const auto& [entry, member] : switches) {
    for (int key : {kKeyLeft, kKeyRight, kKeySpace}) {
      SCOPED_TRACE(::testing::Message() << "entry " << entry << " key " << key);
      Options g;
      g.moveCursorTo(entry);
      g.game.hold(key);
      g.passes(4);
      g.game.releaseAll();
      g.pass();
      EXPECT_FALSE(g.form().settings.*member);
      EXPECT_TRUE(g.valueShown(entry, entry == kDrawLevel ? "LOW" : "OFF"));
      g.press(key);
      EXPECT_TRUE(g.form().settings.*member);
      EXPECT_EQ(g.effectNames(), std::vector<std::string>(2, "switch"));
      const std::vector<std::string> music =
          entry == kBgm ? std::vector<std::string>{"stop", "bgm/bgm02.mid"} : std::vector<std::string>{};
      EXPECT_EQ(g.musicFiles(), music);
    }
  }
}

TEST(Options, LeftAndRightDoNothingOnRankingInitAndReturn) {
  Options g([](Settings& s) { s.continueValue = 3; });
  for (int entry : {kRankingInit, kReturn}) {
    g.moveCursorTo(entry);
    g.press(kKeyLeft);
    g.pass();
    g.press(kKeyRight);
  }
  EXPECT_EQ(g.form().sceneNumber, kSceneOptions);
  EXPECT_EQ(g.form().settings.continueValue, 3);
  EXPECT_TRUE(g.game.effects.empty());
}

TEST(Options, SwitchingSoundEffectsOffIsSilentAndOnIsHeard) {
  Options g;
  g.form().beepMode = true;  // beep mode's tone sounds whatever effect files the harness has
  g.moveCursorTo(kSe);
  const auto heard = [&g] {
    const std::vector<float> out = g.game.platform.audioImpl.pull(44100 / 5);
    return std::any_of(out.begin(), out.end(), [](float sample) { return sample != 0.0f; });
  };
  heard();  // what the cursor's moves played
  g.press(kKeySpace);
  ASSERT_FALSE(g.form().settings.se);
  EXPECT_FALSE(heard());
  g.pass();
  g.press(kKeySpace);
  ASSERT_TRUE(g.form().settings.se);
  EXPECT_TRUE(heard());
}

TEST(Options, GameWaitCountsWhileHeldWithinItsRangeAndButton1ResetsIt) {
  Options g([](Settings& s) { s.gameWait = 96; });
  g.moveCursorTo(kGameWait);
  g.game.hold(kKeyRight);
  std::vector<std::uint32_t> periods;
  for (int i = 0; i < 5; ++i) {
    const std::uint32_t before = g.lastWaitEnd();
    g.pass();
    periods.push_back(g.lastWaitEnd() - before);
  }
  g.game.releaseAll();
  g.pass();
  EXPECT_EQ(periods, std::vector<std::uint32_t>(5, 100u));
  EXPECT_EQ(g.form().settings.gameWait, 99);
  EXPECT_TRUE(g.valueShown(kGameWait, "99"));
  EXPECT_EQ(g.effectNames(), std::vector<std::string>(3, "sup")) << "silent once at 99";
  g.press(kKeySpace);
  EXPECT_EQ(g.form().settings.gameWait, 0);
  g.press(kKeyLeft);
  EXPECT_EQ(g.form().settings.gameWait, 0);
  EXPECT_EQ(g.effectNames(), (std::vector<std::string>{"sup", "sup", "sup", "switch"}));

  g.form().settings.gameWait = 250;  // from a hand-made quorel.dat: only lowered
  g.press(kKeyRight);
  EXPECT_EQ(g.form().settings.gameWait, 250);
  g.press(kKeyLeft);
  EXPECT_EQ(g.form().settings.gameWait, 249);
}

TEST(Options, TheJoystickSwitchTakesEffectOnlyOnLeaving) {
  Options g([](Settings& s) { s.joystick = false; });
  g.game.platform.inputImpl.joystick = platform::JoystickPosition{0, 32767, 0};  // pushed fully left
  g.moveCursorTo(kJoystick);
  g.press(kKeySpace);
  g.pass();
  EXPECT_TRUE(g.valueShown(kJoystick, "ON"));
  EXPECT_FALSE(g.form().settings.joystick);
  EXPECT_FALSE(g.form().input(kInputLeft));
  g.passes(2);
  EXPECT_TRUE(g.valueShown(kJoystick, "ON")) << "the stick held left flipped nothing";
  g.press(kKeyUp);
  g.press(kKeyUp);
  g.press(kKeyUp);
  g.game.hold(kKeySpace);
  g.pass();  // RETURN TO TITLE
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
  EXPECT_TRUE(g.form().settings.joystick);
  EXPECT_TRUE(g.form().input(kInputLeft));
}

TEST(Options, RankingInitResetsTheRecordsAndWritesQuorelDatAtOnce) {
  Options g([](Settings& s) {
    s.minRecord[1] = 12;
    s.minRecord[20] = 40;
    s.continueValue = 5;
    s.bgm = false;
  });
  g.moveCursorTo(kRankingInit);
  g.press(kKeySpace);
  const Settings& s = g.form().settings;
  for (int stage = 1; stage <= 20; ++stage) EXPECT_EQ(s.minRecord[static_cast<std::size_t>(stage)], 999) << stage;
  EXPECT_EQ(s.continueValue, 1);
  EXPECT_EQ(g.effectNames(), std::vector<std::string>{"del"});
  const Settings onDisk = readSettingsFile(g.game.folder() + "quorel.dat");
  EXPECT_EQ(onDisk, s) << "the reset records with the settings as they stand";
  EXPECT_FALSE(onDisk.bgm);
  EXPECT_EQ(settingsCheckValue(onDisk), 6913);
}

TEST(Options, ReturnToTitleAndEscapeLeaveWithTheCursorBackOnBgm) {
  for (bool fade : {true, false}) {
    SCOPED_TRACE(fade);
    Options g([fade](Settings& s) { s.fadeInOut = fade; });
    g.moveCursorTo(kReturn);
    g.game.hold(kKeySpace);
    EXPECT_EQ(g.presentsOfPass(), fade ? 56 + 1 : 1);
    EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
    g.game.releaseAll();

    g.form().sceneNumber = kSceneOptions;
    EXPECT_EQ(g.presentsOfPass(), fade ? 56 + 1 : 1) << "a new visit opens with the reveal";
    EXPECT_TRUE(g.highlightOn(kBgm));
    g.game.tap(kKeyEscape);
    EXPECT_EQ(g.presentsOfPass(), fade ? 56 + 1 : 1);
    EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
    EXPECT_TRUE(g.musicFiles().empty()) << "the music plays on";
  }
}

// The press that leaves must not reach the Title menu, where Escape closes the program.
TEST(Options, EscapeHeldOnEntryLeavesOnThePassItIsReleasedIn) {
  FrontEnd g(kSceneOptions);
  const std::uint32_t releaseAt = g.game.platform.clockImpl.now + 5000;  // after the entrance
  g.game.platform.inputImpl.holdUntil(kKeyEscape, releaseAt);
  g.game.keyDown(kKeyEscape);
  g.pass();
  EXPECT_GE(g.game.platform.clockImpl.now, releaseAt);
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
  g.pass();
  EXPECT_FALSE(g.form().closed());
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
}

TEST(Options, AnF9WhileEscapeIsHeldClosesTheProgram) {
  FrontEnd g(kSceneOptions);
  g.game.hold(kKeyEscape);
  g.game.keyDown(vk::kF9);
  g.pass();
  EXPECT_TRUE(g.form().closed());
}

// The squares of the shimmer, pinned by the test back end's fixed seed. The five columns left of
// the texts (and the first left of the heading) are looked at whole.
TEST(Options, TheMosaicShimmersInSquaresOfGreenAndBlue) {
  Options g;
  std::set<std::uint32_t> colours;
  for (int column = 0; column < 5; ++column) {
    for (int row = 0; row < 15; ++row) {
      if (row == 1 && column > 0) continue;  // the heading
      SCOPED_TRACE(::testing::Message() << "square " << column << ", " << row);
      const std::uint32_t c = g.game.pixel(32 * column, 32 * row);
      const std::uint32_t red = c >> 16, green = (c >> 8) & 0xFF, blue = c & 0xFF;
      EXPECT_EQ(red, 0u);
      EXPECT_TRUE(green >= 32 && green < 48) << green;
      EXPECT_LT(blue, 32u);
      for (int y = 32 * row; y < 32 * row + 32; ++y)
        for (int x = 32 * column; x < 32 * column + 32; ++x) ASSERT_EQ(g.game.pixel(x, y), c);
      colours.insert(c);
    }
  }
  EXPECT_GT(colours.size(), 30u);
  // Columns outer, rows inner, green drawn before blue.
  EXPECT_EQ(g.game.pixel(0, 0), 0x002618u);
  EXPECT_EQ(g.game.pixel(0, 32), 0x002F1Fu);
  EXPECT_EQ(g.game.pixel(32, 0), 0x002109u);
  const std::vector<std::uint32_t> first = g.game.lastFrame();
  g.pass();
  EXPECT_NE(g.game.lastFrame(), first);
}

}  // namespace
}  // namespace quorel::testing
